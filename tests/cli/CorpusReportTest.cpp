// exif-report on the real photographs: the same report as the core writes in-process,
// byte for byte in both forms, and the refusals of the files it cannot read.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "RunReport.h"

namespace {

const std::string kCorpus = EXIF_CORPUS_DIR;

// The photographs with an Intel-byte-order TIFF header, in name order.
const std::vector<std::string> kIntelPhotos = {
    "Canon_40D.jpg",   "DSCN0010.jpg",   "Nikon_D70.jpg",     "Olympus_C8080WZ.jpg",
    "Pentax_K10D.jpg", "canon-ixus.jpg", "sony-cybershot.jpg"};

class CorpusReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(kCorpus)) GTEST_SKIP() << "no corpus at " << kCorpus;
  }
  static std::string Photo(const std::string& name) { return kCorpus + "/" + name; }
};

TEST_F(CorpusReportTest, printsTheCoreReportOfEachIntelPhotoInBothForms) {
  for (const std::string& name : kIntelPhotos) {
    SCOPED_TRACE(name);
    const std::vector<std::string> lines = CoreReportLines(Photo(name));
    ASSERT_GT(lines.size(), 20u);
    for (const bool sjis : {false, true}) {
      const ReportRun run = sjis ? RunReport({"--sjis", Photo(name)}) : RunReport({Photo(name)});
      EXPECT_EQ(run.status, 0);
      EXPECT_EQ(run.out, ExpectedOutput(lines, sjis));
      EXPECT_EQ(run.err, "");
    }
  }
}

TEST_F(CorpusReportTest, showsTheCameraValuesAsUtf8) {
  const ReportRun run = RunReport({Photo("canon-ixus.jpg")});
  for (const char* line : {u8"\n0x010F   43616E6F6E00   Canon\n", u8"絞り　　　40/10\n",
                           u8"撮影日　2001:06:09 15:17:32\n", u8"測光モ－ド　中央\n"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  }
}

TEST_F(CorpusReportTest, reportsEveryPhotoInOneRunAndRefusesTheOthers) {
  std::vector<std::string> all;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus)) {
    if (entry.path().extension() == ".jpg") all.push_back(entry.path().string());
  }
  std::sort(all.begin(), all.end());
  ASSERT_EQ(all.size(), 10u);

  const ReportRun run = RunReport(all);
  EXPECT_EQ(run.status, 1);
  std::string out;
  for (const std::string& name : kIntelPhotos) {
    if (!out.empty()) out += "\n";
    out += "==> " + Photo(name) + " <==\n" + ExpectedOutput(CoreReportLines(Photo(name)), false);
  }
  EXPECT_EQ(run.out, out);
  EXPECT_EQ(run.err, Photo("Fujifilm_FinePix_E500.jpg") + u8": インテル形式ではないようです\n" +
                         Photo("image02206.jpg") + u8": Exifではないようです\n" +
                         Photo("kodak-dc210.jpg") + u8": インテル形式ではないようです\n");
}

}  // namespace
