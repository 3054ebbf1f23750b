// The extended analysis on crafted files: a Motorola file reads like its Intel twin, an Intel
// file keeps the standard report, values past 10000 bytes are reached, the GPS section, and
// the guards against malformed directories and segments.

#include <gtest/gtest.h>

#include "AnalysisRun.h"
#include "ExtendedLoad.h"
#include "ExtendedSections.h"
#include "GpsInterpretation.h"
#include "OrderedTiff.h"

using platform::EConvertError;
using platform::TStringList;

namespace {

using fixture::Bytes;
using fixture::ExifJpeg;
using fixture::OrderedTiff;
using fixture::SampleOrderedTiff;
using fixture::TempFile;

struct ExtendedRun {
  LoadOutcome outcome = LoadOutcome::NothingChosen;
  std::vector<std::string> lines;
  std::string error;  // the conversion error's message, or empty
};

ExtendedRun RunExtended(const Bytes& file) {
  ExtendedRun run;
  TStringList report;
  try {
    run.outcome = AnalyzeExtendedBytes(file, report);
  } catch (const EConvertError& e) {
    run.error = e.Message;
  }
  run.lines = report.Lines();
  return run;
}

ExtendedRun RunExtendedFile(const Bytes& file) {
  const TempFile temp(file);
  AnalysisState state;
  state.SelectedFile = temp.path();
  ExtendedRun run;
  TStringList report;
  try {
    run.outcome = LoadAndAnalyzeExtended(state, report);
  } catch (const EConvertError& e) {
    run.error = e.Message;
  }
  run.lines = report.Lines();
  return run;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ExtendedAnalysis, readsAMotorolaFileAsItsIntelTwin) {
  const ExtendedRun intel = RunExtended(ExifJpeg(SampleOrderedTiff(false).tiff()));
  const ExtendedRun motorola = RunExtended(ExifJpeg(SampleOrderedTiff(true).tiff()));
  ASSERT_EQ(intel.error, "");
  ASSERT_EQ(motorola.error, "");
  ASSERT_EQ(intel.lines.size(), motorola.lines.size());
  // Only the header and the IFD0 offset are shown as stored; every other line is the same.
  EXPECT_EQ(intel.lines[4], "0000CH  : 49492A00    II*");
  EXPECT_EQ(motorola.lines[4], "0000CH  : 4D4D002A    MM*");
  EXPECT_EQ(intel.lines[6], "00010H  : 08000000");
  EXPECT_EQ(motorola.lines[6], "00010H  : 00000008");
  for (size_t i = 0; i < intel.lines.size(); ++i) {
    if (i != 4 && i != 6) {
      EXPECT_EQ(motorola.lines[i], intel.lines[i]) << "line " << i;
    }
  }
  // Values that fit in their entry: an inline ASCII Make, a SHORT, the ISO and the mode.
  for (const char* line : {"0x010F   414200   AB", "0002EH  : 0x0112 0x0003 0x00000001 0x00000006 ",
                           "0x8827　　　　　　               ISO 400",
                           "0x9207　　　　   　　　　　　　　測光モ－ド　スポット",
                           "0x829D  0x0000001C  0x0000000A   絞り　　　28/10"}) {
    EXPECT_TRUE(Contains(motorola.lines, line)) << line;
  }
}

TEST(ExtendedAnalysis, listsTheInteropAndGpsDirectoriesAndInterpretsGps) {
  const ExtendedRun run = RunExtended(ExifJpeg(SampleOrderedTiff(true).tiff()));
  ASSERT_EQ(run.error, "");
  // TIFF header at 12: the interoperability directory at 0x12C, GPS at 0x20C.
  const std::vector<std::string> interop = {"", "InteropIFD", "0012CH  : 0x01",
                                            "0012EH  : 0x0001 0x0002 0x00000004 0x00383952 ",
                                            "0013AH  : 0x00000000"};
  const auto at = std::search(run.lines.begin(), run.lines.end(), interop.begin(), interop.end());
  EXPECT_NE(at, run.lines.end());
  EXPECT_TRUE(Contains(run.lines, "GPSIFD"));
  EXPECT_TRUE(Contains(run.lines, "0020CH  : 0x08"));

  const std::vector<std::string> gps = {
      "",
      fixture::GpsHeading(),
      "",
      "0x0002   緯度　　　33/1 51/1 5412/100   33度51分54.12秒 S   -33.86503333",
      "0x0004   経度　　　151/1 12/1 3/4   151度12分0.75秒 W   -151.20020833",
      "0x0006   高度　　　125/10   海面下 12.5m",
      "0x001D   GPS日時　2019:12:31 23:05:09.07",
  };
  ASSERT_GE(run.lines.size(), gps.size());
  EXPECT_EQ(std::vector<std::string>(run.lines.end() - gps.size(), run.lines.end()), gps);
}

TEST(ExtendedAnalysis, givesTheStandardReportOfAnIntelFile) {
  const fixture::Tiff sample = fixture::SampleTiff();
  for (const Bytes& file : {ExifJpeg(sample), ExifJpeg(sample, true)}) {
    const AnalysisRun standard = Analyze(file);
    const ExtendedRun extended = RunExtended(file);
    ASSERT_EQ(standard.error, "");
    ASSERT_EQ(extended.error, "");
    EXPECT_EQ(fixture::WithoutAddedSections(extended.lines), standard.lines);
  }
}

TEST(ExtendedAnalysis, readsTheWholeSegmentPast10000Bytes) {
  // The SubIFD and its values lie past file offset 16000, beyond the standard analysis.
  for (const bool motorola : {false, true}) {
    SCOPED_TRACE(motorola ? "Motorola" : "Intel");
    OrderedTiff tiff(motorola);
    tiff.PutIfd(0x08, {{fixture::kExifPointerTag, fixture::kLong, 1, 16000}}, 0);
    tiff.PutIfd(16000,
                {{fixture::kExposureTimeTag, fixture::kRational, 1, 16100},
                 {fixture::kDateTimeOriginalTag, fixture::kAscii, 20, 16200}},
                0);
    tiff.PutRational(16100, 1, 250).PutText(16200, "2021:07:01 08:00:00");
    const Bytes file = ExifJpeg(tiff.PadTo(30000).tiff());

    const ExtendedRun run = RunExtendedFile(file);
    EXPECT_EQ(run.outcome, LoadOutcome::Analysed);
    ASSERT_EQ(run.error, "");
    EXPECT_TRUE(Contains(run.lines, "03E8CH  : 0x02"));
    EXPECT_TRUE(Contains(run.lines, "0x829A  0x00000001  0x000000FA   シャタ－　1/250"));
    EXPECT_TRUE(
        Contains(run.lines, "0x9003　　　　   　　　　　　　　撮影日　2021:07:01 08:00:00"));
  }
}

// Malformed structures: each case ends the analysis cleanly, with its last line or error.
TEST(ExtendedAnalysis, guardsAgainstMalformedDirectories) {
  struct Case {
    const char* claim;
    OrderedTiff tiff;
    std::string lastLine;  // the report's last line
    std::string error;     // the conversion error, or empty
  };
  const auto motorola = [] { return OrderedTiff(true); };
  std::vector<Case> cases;
  cases.push_back({"an IFD0 whose link points back at itself is listed once",
                   motorola().PutIfd(0x08, {{0x0112, fixture::kShort, 1, 1}}, 0x08).PadTo(64), "",
                   ""});
  cases.push_back({"a GPS pointer far beyond the data stops at its count",
                   motorola()
                       .PutIfd(0x08, {{fixture::kGpsPointerTag, fixture::kLong, 1, 0xFFFFFFF0}}, 0)
                       .PadTo(64),
                   "GPSIFD", "'0x' は整数ではありません"});
  cases.push_back({"an entry count of 65535 lists only the entries inside the data",
                   motorola().PutIfd(0x08, {}, 0, 0xFFFF).PadTo(64), "C000AH  : 0x",
                   "'0x' は整数ではありません"});
  cases.push_back({"GPS rationals with a zero denominator are shown as stored",
                   motorola()
                       .PutIfd(0x08, {{fixture::kGpsPointerTag, fixture::kLong, 1, 0x20}}, 0)
                       .PutIfd(0x20, {{0x0002, fixture::kRational, 3, 0x40}}, 0)
                       .PutRational(0x40, 35, 0)
                       .PadTo(0x60),
                   "0x0002   緯度　　　35/0 0/0 0/0", ""});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.claim);
    const ExtendedRun run = RunExtended(ExifJpeg(c.tiff.tiff()));
    EXPECT_EQ(run.outcome, c.error.empty() ? LoadOutcome::Analysed : LoadOutcome::NothingChosen);
    EXPECT_EQ(run.error, c.error);
    ASSERT_FALSE(run.lines.empty());
    if (!c.lastLine.empty()) {
      EXPECT_EQ(run.lines.back(), c.lastLine);
    }
    EXPECT_LT(run.lines.size(), 2000u);
  }
  const ExtendedRun self = RunExtended(ExifJpeg(cases[0].tiff.tiff()));
  EXPECT_TRUE(Contains(self.lines, "00014H  : IFD0と同じ"));
}

// 0-1 SOI | APP2 segments of 65535 bytes each | the Exif APP1 segment.
Bytes ExifAfterSegments(int segments) {
  Bytes file = {0xFF, 0xD8};
  for (int i = 0; i < segments; ++i) {
    file.insert(file.end(), {0xFF, 0xE2, 0xFF, 0xFF});
    file.resize(file.size() + 0xFFFD, 0);
  }
  const Bytes exif = ExifJpeg(SampleOrderedTiff(true).tiff());
  file.insert(file.end(), exif.begin() + 2, exif.end());
  return file;
}

TEST(ExtendedAnalysis, looksForTheExifSegmentWithinTheFirstMebibyte) {
  const ExtendedRun near = RunExtendedFile(ExifAfterSegments(9));
  EXPECT_EQ(near.outcome, LoadOutcome::Analysed);
  EXPECT_EQ(near.error, "");
  EXPECT_TRUE(Contains(near.lines, "0x0110   4D4F44454C2031323300   MODEL 123"));
  // Past 1 MiB the segment is not read, so no "Exif" is found.
  EXPECT_EQ(RunExtendedFile(ExifAfterSegments(17)).outcome, LoadOutcome::NotExif);
}

TEST(ExtendedAnalysis, refusesAsTheStandardLoadDoesAndNamesAMissingHeader) {
  EXPECT_EQ(RunExtended(fixture::FromHex("FFD8 FFE0 0010 4A464946 00")).outcome,
            LoadOutcome::NotExif);
  EXPECT_EQ(RunExtended(fixture::FromHex("FFD8 FFE1 000E 457869660000 4D4D2A00")).outcome,
            LoadOutcome::NotIntel);
  EXPECT_EQ(ExtendedRefusalMessage(LoadOutcome::NotIntel), "TIFF形式ではないようです");
  EXPECT_EQ(ExtendedRefusalMessage(LoadOutcome::NotExif), RefusalMessage(LoadOutcome::NotExif));
}

TEST(ExtendedAnalysis, writesDecimalsWithoutLocaleOrFloatDrift) {
  struct Case {
    uint32_t n, d;
    int places;
    const char* text;
  } cases[] = {{28047, 1000, 6, "28.047"}, {5, 1, 6, "5"}, {1, 3, 6, "0.333333"},
               {2, 3, 6, "0.666667"},      {0, 7, 6, "0"}, {4294967295u, 1, 6, "4294967295"}};
  for (const Case& c : cases) EXPECT_EQ(RationalDecimal(c.n, c.d, c.places), c.text);
  EXPECT_EQ(FixedDecimal(-3.724752777, 8), "-3.72475278");
  EXPECT_EQ(FixedDecimal(43.5, 8), "43.50000000");
}

}  // namespace
