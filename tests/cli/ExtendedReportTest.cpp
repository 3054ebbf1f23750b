// exif-report with and without --extended over every real photograph and some crafted
// files: the default report is the standard one, byte for byte, and the extended one keeps
// it, adding only its own sections, while it also reads what the standard one refuses.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ExtendedSections.h"
#include "OrderedTiff.h"
#include "RunReport.h"

using platform::EConvertError;
using platform::TStringList;

namespace {

const std::string kCorpus = EXIF_CORPUS_DIR;

// Every photograph of the corpus, extended/ included, in name order.
std::vector<std::string> CorpusPhotos() {
  std::vector<std::string> all;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(kCorpus)) {
    if (entry.path().extension() == ".jpg") all.push_back(entry.path().string());
  }
  std::sort(all.begin(), all.end());
  return all;
}

// The lines of a report printed with --sjis.
std::vector<std::string> SjisLines(const std::string& out) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < out.size();) {
    const size_t end = out.find("\r\n", at);
    lines.push_back(out.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// The standard analysis in this process: the lines, and whether it ran to its end.
struct CoreRun {
  std::vector<std::string> lines;
  bool complete = false;
};

CoreRun StandardRun(const std::string& file) {
  auto state = std::make_unique<AnalysisState>();
  state->SelectedFile = file;
  TStringList report;
  CoreRun run;
  try {
    run.complete = LoadAndAnalyze(*state, report) == LoadOutcome::Analysed;
  } catch (const EConvertError&) {
  }
  run.lines = report.Lines();
  return run;
}

TEST(ExtendedReport, KeepsTheDefaultAndAddsOnlyItsOwnSectionsOnEveryFile) {
  std::vector<std::string> files = CorpusPhotos();
  if (files.empty()) GTEST_SKIP() << "no corpus at " << kCorpus;
  ASSERT_EQ(files.size(), 14u);
  // Crafted: the sample, its JFIF-first and Motorola forms, and one cut short in
  // its IFD1, where the standard analysis stops with a conversion error.
  const fixture::TempFile sample(fixture::SampleJpeg(), "sample.jpg");
  const fixture::TempFile jfif(fixture::ExifJpeg(fixture::SampleTiff(), true), "jfif.jpg");
  const fixture::TempFile motorola(fixture::ExifJpeg(fixture::SampleOrderedTiff(true).tiff()),
                                   "motorola.jpg");
  fixture::Bytes cut = fixture::SampleJpeg();
  cut.resize(0x40);
  const fixture::TempFile shortFile(cut, "short.jpg");
  for (const auto* temp : {&sample, &jfif, &motorola, &shortFile}) files.push_back(temp->path());

  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const CoreRun standard = StandardRun(file);
    const ReportRun plain = RunReport({"--sjis", file});
    EXPECT_EQ(plain.out, ExpectedOutput(standard.lines, true));
    EXPECT_EQ(plain.status, standard.complete ? 0 : 1);

    const ReportRun extended = RunReport({"--sjis", "--extended", file});
    const bool hasExif = file.find("image02206") == std::string::npos;
    EXPECT_EQ(extended.status, hasExif ? 0 : 1) << extended.err;
    if (standard.complete) {
      EXPECT_EQ(fixture::WithoutAddedSections(SjisLines(extended.out)), standard.lines);
    }
  }
}

TEST(ExtendedReport, TakesTheShortOptionAndNamesAMissingTiffHeader) {
  const fixture::TempFile motorola(fixture::ExifJpeg(fixture::SampleOrderedTiff(true).tiff()));
  const ReportRun longForm = RunReport({"--extended", motorola.path()});
  EXPECT_EQ(longForm.status, 0);
  EXPECT_NE(longForm.out.find(u8"0x0004   経度　　　151/1 12/1 3/4   151度12分0.75秒 W"),
            std::string::npos);
  const ReportRun shortForm = RunReport({motorola.path(), "-x"});
  EXPECT_EQ(shortForm.out, longForm.out);
  EXPECT_EQ(RunReport({motorola.path()}).err,
            motorola.path() + u8": インテル形式ではないようです\n");

  const fixture::TempFile noHeader(fixture::FromHex("FFD8 FFE1 000E 457869660000 4D4D2A00"));
  const ReportRun refused = RunReport({"-x", noHeader.path()});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, noHeader.path() + u8": TIFF形式ではないようです\n");
}

}  // namespace
