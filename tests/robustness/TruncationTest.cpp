// Files cut short: at the first bytes, inside the markers and the TIFF header, and at each
// directory. The bytes after the cut read as zeros, so every cut ends with a refusal or
// with an exactly known report.

#include <gtest/gtest.h>

#include <filesystem>

#include "AnalysisRun.h"
#include "PhotoLayout.h"
#include "SampleReport.h"

namespace {

using fixture::Bytes;
using fixture::SampleJpeg;
using fixture::SampleReport;

const std::vector<std::string> kEarlier = {"an earlier report"};

AnalysisRun RunCut(const Bytes& file, size_t cut) {
  const fixture::TempFile temp(Bytes(file.begin(), file.begin() + static_cast<long>(cut)));
  AnalysisState state;
  return RunPath(state, temp.path(), kEarlier);
}

std::vector<std::string> Lines(size_t first, size_t end) {
  return std::vector<std::string>(SampleReport().begin() + static_cast<long>(first),
                                  SampleReport().begin() + static_cast<long>(end));
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// From a cut at 15 on, the zero after "II*" is the buffer's own zero: the header is found.
TEST(Truncation, cutsBeforeTheSignaturesAreRefusedAndKeepTheReport) {
  const struct {
    size_t cut;
    LoadOutcome outcome;
  } cases[] = {
      {0, LoadOutcome::NotExif},   {1, LoadOutcome::NotExif},   {2, LoadOutcome::NotExif},
      {9, LoadOutcome::NotExif},   {10, LoadOutcome::NotIntel}, {11, LoadOutcome::NotIntel},
      {12, LoadOutcome::NotIntel}, {13, LoadOutcome::NotIntel}, {14, LoadOutcome::NotIntel},
  };
  for (const auto& c : cases) {
    const AnalysisRun run = RunCut(SampleJpeg(), c.cut);
    EXPECT_EQ(run.outcome, c.outcome) << "cut at " << c.cut;
    EXPECT_EQ(run.lines, kEarlier) << "cut at " << c.cut;
  }
}

// The sample (TIFF header at 12) cut at IFD0 (20), inside its count (21), before its link
// (58), at IFD1 (62) and at the SubIFD (188).
TEST(Truncation, cutsAtEachDirectoryOfTheSampleGiveTheirExactReport) {
  const std::vector<std::string> ifd0Heading = {"", SampleReport()[29], ""};
  const std::vector<std::string> subIfdHeading = {" ", "", SampleReport()[35], ""};
  const std::vector<std::string> zeroMakeAndModel = {"0x010F   000000000000   ",
                                                     "0x0110   " + std::string(20, '0') + "   "};
  const std::string zeroEntry = "0x0000 0x0000 0x00000000 0x00000000 ";
  const std::vector<std::string> noIfd1 = {"", "IFD1"};
  const std::vector<std::string> emptySubIfd = {"", "SubIFD", "000BCH  : 0x00"};

  const struct {
    size_t cut;
    std::vector<std::string> report;
  } cases[] = {
      {20, Join({Lines(0, 9),
                 {"00014H  : 00", "00016H  : 0x00000000"},
                 noIfd1,
                 {"", "SubIFD"},
                 ifd0Heading,
                 subIfdHeading})},
      {21, Join({Lines(0, 9),
                 {"00014H  : 03", "00016H  : " + zeroEntry, "00022H  : " + zeroEntry,
                  "0002EH  : " + zeroEntry, "0003AH  : 0x00000000"},
                 noIfd1,
                 {"", "SubIFD"},
                 ifd0Heading,
                 subIfdHeading})},
      {58, Join({Lines(0, 13),
                 {"0003AH  : 0x00000000"},
                 noIfd1,
                 emptySubIfd,
                 ifd0Heading,
                 zeroMakeAndModel,
                 subIfdHeading})},
      {62, Join({Lines(0, 16),
                 {"0003EH  : 0x0000", "00040H  : 0x00000000"},
                 emptySubIfd,
                 ifd0Heading,
                 zeroMakeAndModel,
                 subIfdHeading})},
      {188, Join({Lines(0, 22), {"000BCH  : 0x00"}, Lines(28, 37)})},
  };
  for (const auto& c : cases) {
    const AnalysisRun run = RunCut(SampleJpeg(), c.cut);
    EXPECT_EQ(run.outcome, LoadOutcome::Analysed) << "cut at " << c.cut;
    EXPECT_EQ(run.error, "") << "cut at " << c.cut;
    EXPECT_EQ(run.lines, c.report) << "cut at " << c.cut;
  }
}

// The offset that a listing line's prefix shows, or -1 for a line without one.
long long LineOffset(const std::string& line) {
  if (line.size() < 10 || line.compare(5, 5, "H  : ") != 0) return -1;
  return std::stoll(line.substr(0, 5), nullptr, 16);
}

class PhotoTruncation : public testing::TestWithParam<std::string> {};

// A real photograph cut at its first bytes and at each directory's count, first entry and
// link: refused while a signature is missing, otherwise analysed (to the end or to the
// conversion error), and every line read wholly before the cut is the uncut file's line.
TEST_P(PhotoTruncation, cutsAtEachDirectoryKeepTheLinesBeforeTheCut) {
  const std::string path = CorpusPath(GetParam());
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no corpus photograph " << path;
  const Bytes photo = ReadFileBytes(path);
  PhotoLayout layout;
  ASSERT_TRUE(ReadPhotoLayout(photo, &layout));
  const AnalysisRun whole = RunBytes(photo);  // a private copy, as for the cut files
  ASSERT_EQ(whole.outcome, LoadOutcome::Analysed);

  std::vector<size_t> cuts = {
      0, 1, 2, 11, 12, 13, 20, 21, layout.tiffBase + 2, layout.tiffBase + 3};
  for (const Directory& d : layout.directories) {
    for (size_t at : {d.start, d.start + 1, d.start + 2, d.link}) cuts.push_back(at);
  }
  for (size_t cut : cuts) {
    if (cut > photo.size()) continue;
    SCOPED_TRACE("cut at " + std::to_string(cut));
    const AnalysisRun run = RunCut(photo, cut);
    if (cut < layout.exifAt + 4) {
      EXPECT_EQ(run.outcome, LoadOutcome::NotExif);
    } else if (cut < layout.tiffBase + 3) {  // the header's last byte is zero
      EXPECT_EQ(run.outcome, LoadOutcome::NotIntel);
    } else {
      EXPECT_EQ(run.outcome, LoadOutcome::Analysed);
      size_t kept = 0;  // leading lines that read no byte at or after the cut
      while (kept < whole.lines.size() && kept < run.lines.size() &&
             LineOffset(whole.lines[kept]) + 12 <= static_cast<long long>(cut)) {
        ++kept;
      }
      for (size_t i = 0; i < kept; ++i) EXPECT_EQ(run.lines[i], whole.lines[i]) << "line " << i;
    }
    if (run.outcome != LoadOutcome::Analysed) {
      EXPECT_EQ(run.lines, kEarlier);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, PhotoTruncation, testing::ValuesIn(IntelCorpusPhotos()),
                         PhotoTestName);

}  // namespace
