// One small crafted file per fault class, each bending one field of the sample photograph
// (TIFF header at file offset 12, IFD0 at TIFF 08, IFD1 at 32, Make at 80, Model at 86,
// ExposureTime at A0, SubIFD at B0, date at F2). Every case states the whole
// report it expects as the sample's report with the lines that change, so that nothing
// else may happen.

#include <gtest/gtest.h>

#include <cstdio>

#include "AnalysisRun.h"
#include "SampleReport.h"

namespace {

using fixture::Bytes;
using fixture::ExifJpeg;
using fixture::SampleJpeg;
using fixture::SampleReport;
using fixture::SampleTiff;
using fixture::Tiff;

// TIFF offsets of single fields of the sample.
constexpr uint32_t kMakeCount = 0x0E;  // IFD0 entry 0
constexpr uint32_t kMakeValue = 0x12;
constexpr uint32_t kExifPointerValue = 0x2A;  // IFD0 entry 2
constexpr uint32_t kIfd0Link = 0x2E;
constexpr uint32_t kIfd1Count = 0x32;
constexpr uint32_t kExposureValue = 0xBA;  // SubIFD entry 0
constexpr uint32_t kDateCount = 0xDA;      // SubIFD entry 3
constexpr uint32_t kExposureRational = 0xA0;

// Indexes of the sample's report lines.
constexpr size_t kMakeEntryLine = 10;
constexpr size_t kExifPointerLine = 12;
constexpr size_t kIfd0LinkLine = 13;
constexpr size_t kIfd1CountLine = 16;
constexpr size_t kSubIfdCountLine = 22;
constexpr size_t kExposureEntryLine = 23;
constexpr size_t kDateEntryLine = 26;
constexpr size_t kMakeLine = 31;
constexpr size_t kExposureLine = 37;
constexpr size_t kDateLine = 40;

using fixture::kDateLabel;
using fixture::kExposureLabel;

// The message of the conversion error for Text.
std::string NotAnInteger(const std::string& text) {
  return "'" + text + "' は整数ではありません";
}

// OffsetPrefixed's prefix for a HexImage position.
std::string Prefix(long long position) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%05llX", position / 2);
  return std::string(digits) + "H  : ";
}

std::vector<std::string> Without(std::vector<std::string> lines, size_t first, size_t count) {
  lines.erase(lines.begin() + static_cast<long>(first),
              lines.begin() + static_cast<long>(first + count));
  return lines;
}

std::vector<std::string> FirstLines(const std::vector<std::string>& lines, size_t count) {
  return std::vector<std::string>(lines.begin(), lines.begin() + static_cast<long>(count));
}

void ExpectReport(const AnalysisRun& run, const std::vector<std::string>& expected,
                  const std::string& error = "") {
  EXPECT_EQ(run.outcome, LoadOutcome::Analysed);
  EXPECT_EQ(run.error, error);
  ASSERT_EQ(run.lines.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(run.lines[i], expected[i]) << "line " << i;
  }
}

// The sample's report without the SubIFD entries and their interpretation, with the
// Exif pointer's entry holding Value and the SubIFD count line CountLine.
std::vector<std::string> ReportWithEmptySubIfd(const std::string& value,
                                               const std::string& countLine) {
  std::vector<std::string> expected = SampleReport();
  expected[kExifPointerLine] = "0002EH  : 0x8769 0x0004 0x00000001 " + value + " ";
  expected[kSubIfdCountLine] = countLine;
  expected = Without(expected, kSubIfdCountLine + 1, 5);  // the five SubIFD entries
  expected.resize(expected.size() - 5);                   // their five interpretation lines
  return expected;
}

TEST(MalformedFile, subIfdPointerToTheLastByteOfTheBufferListsAZeroCount) {
  // TIFF offset 3A8B is file offset 14999, the last byte of the load buffer.
  const AnalysisRun run = RunBytes(ExifJpeg(SampleTiff().Put32(kExifPointerValue, 0x3A8B)));
  ExpectReport(run, ReportWithEmptySubIfd("0x00003A8B", "03A97H  : 0x00"));
}

TEST(MalformedFile, subIfdPointerJustPastTheBufferEndsWithTheConversionError) {
  const AnalysisRun run = RunBytes(ExifJpeg(SampleTiff().Put32(kExifPointerValue, 0x3A8C)));
  std::vector<std::string> expected = FirstLines(SampleReport(), kSubIfdCountLine);
  expected[kExifPointerLine] = "0002EH  : 0x8769 0x0004 0x00000001 0x00003A8C ";
  ExpectReport(run, expected, NotAnInteger("0x"));
}

TEST(MalformedFile, asciiValueThreeBytesBeforeTheEndOfTheBufferReadsNoFurther) {
  // TIFF offset 3A89 is file offset 14997: three zero bytes remain of the six counted.
  const AnalysisRun run = RunBytes(ExifJpeg(SampleTiff().Put32(kMakeValue, 0x3A89)));
  std::vector<std::string> expected = SampleReport();
  expected[kMakeEntryLine] = "00016H  : 0x010F 0x0002 0x00000006 0x00003A89 ";
  expected[kMakeLine] = "0x010F   000000   ";
  ExpectReport(run, expected);
}

TEST(MalformedFile, asciiValueAcrossTheTenThousandByteLoadLimitStopsThere) {
  // "ABCDEFGHIJ" at file offset 9997: only A, B and C are loaded.
  Tiff tiff = SampleTiff();
  tiff.PutText(9985, "ABCDEFGHIJ").Put32(kMakeValue, 9985);
  const Bytes file = ExifJpeg(tiff);
  ASSERT_GT(file.size(), 10000u);
  std::vector<std::string> expected = SampleReport();
  expected[2] = "00004H  : 2714        Size";  // the segment length of the longer file
  expected[kMakeEntryLine] = "00016H  : 0x010F 0x0002 0x00000006 0x00002701 ";
  expected[kMakeLine] = "0x010F   414243000000   ABC";
  ExpectReport(RunBytes(file), expected);
}

// Offsets from 0x80000000 up are negative; the position arithmetic wraps around and a
// position below 1 reads from the start of the file. A negative file offset takes no
// ASCII byte.
TEST(MalformedFile, valueOffsetsThatWrapReadWhereTheWrappedPositionPoints) {
  struct Case {
    uint32_t offset;
    const char* makeDigits;  // the hex part of the Make line
    const char* rational;    // the ExposureTime line after the tag
  };
  const Case cases[] = {
      // file offset 0x8000000B: position 2 x that + 1 wraps to 23, the byte at offset 11
      {0x7FFFFFFF, "0049492A0008", "  0x2A494900  0x00000800   シャタ－　709445888/2048"},
      // file offset 0x8000000C: position 25, the TIFF header
      {0x80000000, "49492A000800", "  0x002A4949  0x00000008   シャタ－　2771273/8"},
      // file offset -4: position -7 and its denominator's 1 both read from the start
      {0xFFFFFFF0, "FFD8FFE101E2", "  0xE1FFD8FF  0xE1FFD8FF   シャタ－　-503326465/-503326465"},
      // file offset 11: a zero byte, so the Make text is empty
      {0xFFFFFFFF, "0049492A0008", "  0x2A494900  0x00000800   シャタ－　709445888/2048"},
  };
  for (const Case& c : cases) {
    const AnalysisRun run = RunBytes(
        ExifJpeg(SampleTiff().Put32(kMakeValue, c.offset).Put32(kExposureValue, c.offset)));
    char value[16];
    std::snprintf(value, sizeof value, "0x%08X", c.offset);
    std::vector<std::string> expected = SampleReport();
    expected[kMakeEntryLine] = "00016H  : 0x010F 0x0002 0x00000006 " + std::string(value) + " ";
    expected[kExposureEntryLine] = "000BEH  : 0x829A 0x0005 0x00000001 " + std::string(value) + " ";
    expected[kMakeLine] = "0x010F   " + std::string(c.makeDigits) + "   ";
    expected[kExposureLine] = "0x829A" + std::string(c.rational);
    SCOPED_TRACE(value);
    ExpectReport(run, expected);
  }
}

// The HexImage of File from file offset At to the end of the load buffer, written
// independently of the analysis.
std::string HexFrom(const Bytes& file, size_t at) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (; at < static_cast<size_t>(kLoadBufferSize); ++at) {
    const uint8_t b = at < file.size() ? file[at] : 0;
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  return hex;
}

// A count that wraps doubles to a huge or negative length: the hex part stops at the end
// of the HexImage, and the ASCII copy takes at most 256 bytes, none for a negative count.
TEST(MalformedFile, hugeAndNegativeCountsStayInsideTheBuffers) {
  struct Case {
    uint32_t count;
    bool wholeBufferShown;  // 2 x count wraps to a length beyond the HexImage
    const char* dateText;
  };
  const Case cases[] = {
      {0x20000000, true, "2010:03:26 12:34:56"},
      {0x80000000, false, ""},  // 2 x count wraps to 0
      {0xFFFFFFFF, false, ""},  // -1
  };
  for (const Case& c : cases) {
    const Bytes file = ExifJpeg(SampleTiff().Put32(kMakeCount, c.count).Put32(kDateCount, c.count));
    const AnalysisRun run = RunBytes(file);
    char count[16];
    std::snprintf(count, sizeof count, "0x%08X", c.count);
    std::vector<std::string> expected = SampleReport();
    expected[kMakeEntryLine] = "00016H  : 0x010F 0x0002 " + std::string(count) + " 0x00000080 ";
    expected[kDateEntryLine] = "000E2H  : 0x9003 0x0002 " + std::string(count) + " 0x000000F2 ";
    // The Make value lies at file offset 140.
    expected[kMakeLine] =
        c.wholeBufferShown ? "0x010F   " + HexFrom(file, 140) + "   MAKER" : "0x010F      ";
    expected[kDateLine] = "0x9003" + std::string(kDateLabel) + c.dateText;
    SCOPED_TRACE(count);
    ExpectReport(run, expected);
  }
}

// IFD1 at file offset 62: 65535 entries are listed from position 129 on, those beyond the
// HexImage with empty fields, then the link line far past the buffer.
TEST(MalformedFile, ifd1CountOfFFFFListsEveryEntryAndGoesOn) {
  const AnalysisRun run = RunBytes(ExifJpeg(SampleTiff().Put16(kIfd1Count, 0xFFFF)));
  const std::vector<std::string>& sample = SampleReport();
  EXPECT_EQ(run.outcome, LoadOutcome::Analysed);
  EXPECT_EQ(run.error, "");
  ASSERT_EQ(run.lines.size(), sample.size() - 2 + 65535);
  EXPECT_EQ(FirstLines(run.lines, kIfd1CountLine), FirstLines(sample, kIfd1CountLine));
  EXPECT_EQ(run.lines[kIfd1CountLine], "0003EH  : 0xFFFF");
  const size_t firstEntry = kIfd1CountLine + 1;
  EXPECT_EQ(run.lines[firstEntry], sample[firstEntry]);
  EXPECT_EQ(run.lines[firstEntry + 1], sample[firstEntry + 1]);
  for (long long k = 0; k < 65535; ++k) {
    const long long q = 129 + 24 * k;
    const std::string& line = run.lines[firstEntry + static_cast<size_t>(k)];
    ASSERT_EQ(line.substr(0, 10), Prefix(q)) << "entry " << k;
    if (q > 30000) {
      ASSERT_EQ(line.substr(10), "0x 0x 0x 0x ") << "entry " << k;
    }
  }
  // Entry 1244 at position 29985 keeps 16 characters: its Value is cut to "0x".
  EXPECT_EQ(run.lines[firstEntry + 1244], Prefix(29985) + "0x0000 0x0000 0x00000000 0x ");
  EXPECT_EQ(run.lines[firstEntry + 65535], "C0034H  : 0x");
  const size_t tail = sample.size() - (kIfd1CountLine + 4);  // from the empty line on
  EXPECT_EQ(std::vector<std::string>(run.lines.end() - static_cast<long>(tail), run.lines.end()),
            std::vector<std::string>(sample.end() - static_cast<long>(tail), sample.end()));
}

TEST(MalformedFile, ifd0LinkBackAtIfd0ListsIfd0AgainAsIfd1AndStops) {
  const AnalysisRun run = RunBytes(ExifJpeg(SampleTiff().Put32(kIfd0Link, 0x08)));
  std::vector<std::string> expected = SampleReport();
  const std::string link = "0003AH  : 0x00000008";
  expected[kIfd0LinkLine] = link;
  expected = Without(expected, kIfd1CountLine, 4);  // count, two entries, link
  const std::vector<std::string> ifd1 = {"00014H  : 0x0003", expected[kMakeEntryLine],
                                         expected[kMakeEntryLine + 1], expected[kMakeEntryLine + 2],
                                         link};
  expected.insert(expected.begin() + kIfd1CountLine, ifd1.begin(), ifd1.end());
  ExpectReport(run, expected);
}

TEST(MalformedFile, ifd0LinkAtTheTiffHeaderMeansNoIfd1) {
  const AnalysisRun run = RunBytes(ExifJpeg(SampleTiff().Put32(kIfd0Link, 0)));
  std::vector<std::string> expected = SampleReport();
  expected[kIfd0LinkLine] = "0003AH  : 0x00000000";
  ExpectReport(run, Without(expected, kIfd1CountLine, 4));
}

TEST(MalformedFile, subIfdPointerBackAtIfd0ListsIfd0OnceMore) {
  const AnalysisRun run = RunBytes(ExifJpeg(SampleTiff().Put32(kExifPointerValue, 0x08)));
  std::vector<std::string> expected = ReportWithEmptySubIfd("0x00000008", "00014H  : 0x03");
  const std::vector<std::string> entries(expected.begin() + kMakeEntryLine,
                                         expected.begin() + kMakeEntryLine + 3);
  expected.insert(expected.begin() + kSubIfdCountLine + 1, entries.begin(), entries.end());
  ExpectReport(run, expected);
}

// Numerator and denominator are shown as stored: nothing is divided, so no quotient can
// trap, not even the most negative number over -1.
TEST(MalformedFile, rationalsWithZeroOrNegativeDenominatorsAreShownAsStored) {
  struct Case {
    uint32_t numerator, denominator;
    const char* line;
  };
  const Case cases[] = {
      {1, 0, "0x829A  0x00000001  0x00000000   シャタ－　1/0"},
      {0, 0, "0x829A  0x00000000  0x00000000   シャタ－　0/0"},
      {0x80000000, 0xFFFFFFFF, "0x829A  0x80000000  0xFFFFFFFF   シャタ－　-2147483648/-1"},
  };
  for (const Case& c : cases) {
    const AnalysisRun run =
        RunBytes(ExifJpeg(SampleTiff().PutRational(kExposureRational, c.numerator, c.denominator)));
    std::vector<std::string> expected = SampleReport();
    expected[kExposureLine] = c.line;
    SCOPED_TRACE(c.line);
    ExpectReport(run, expected);
  }
}

// Markup and control characters in a value are kept as bytes in one report line.
TEST(MalformedFile, makeHoldingMarkupAndControlCharactersIsKeptAsPlainBytes) {
  const std::string make = "<b>x</b>\x01\x1B\x7F\t\r\n";
  const AnalysisRun run = RunBytes(
      ExifJpeg(SampleTiff().PutText(0x120, make).Put32(kMakeCount, 15).Put32(kMakeValue, 0x120)));
  std::vector<std::string> expected = SampleReport();
  expected[kMakeEntryLine] = "00016H  : 0x010F 0x0002 0x0000000F 0x00000120 ";
  expected[kMakeLine] = "0x010F   3C623E783C2F623E011B7F090D0A00   " + make;
  ExpectReport(run, expected);
}

TEST(MalformedFile, fileNameHoldingMarkupIsLoadedByItsBytes) {
  ExpectReport(RunBytes(SampleJpeg(), "<b>x</b>.jpg"), SampleReport());
  const AnalysisRun refused = RunBytes(SampleJpeg(), "<b>x</b>.txt");
  EXPECT_EQ(refused.outcome, LoadOutcome::NotJpg);
  EXPECT_TRUE(refused.lines.empty());
  EXPECT_EQ(RefusalMessage(LoadOutcome::NotJpg), "ＪＰＧ　ファイルではないようです");
}

}  // namespace
