// The interpretation part of the report: the Make and Model lines of IFD0 and the lines of
// the five SubIFD tags, read from crafted files.

#include <gtest/gtest.h>

#include "AnalysisRun.h"
#include "SampleReport.h"

namespace {

using fixture::Bytes;
using fixture::Entry;
using fixture::ExifJpeg;
using fixture::kAscii;
using fixture::kLong;
using fixture::kRational;
using fixture::kShort;
using fixture::SampleTiff;
using fixture::Tiff;

const std::string kIfd0Heading = "IFD0の一部デ－タの解析（タグのオフセット+0ＣＨのデ－タ）";
const std::string kSubIfdHeading = "SubIFDの一部デ－タの解析（タグのオフセット+0ＣＨのデ－タ）";
const std::string kMetering = std::string("0x9207") + fixture::kMeteringLabel;
const std::string kDate = std::string("0x9003") + fixture::kDateLabel;

constexpr uint32_t kIfd0 = 0x08;
constexpr uint32_t kExifPointerValue = 0x2A;  // value of the sample's 0x8769 entry
constexpr uint32_t kSubIfd = 0x200;           // where the cases put their SubIFD
constexpr uint32_t kData = 0x300;             // and their values

// The lines after Heading and its empty line, up to the next empty line or the line of one
// space that closes the IFD0 section.
std::vector<std::string> SectionLines(const AnalysisRun& run, const std::string& heading) {
  auto at = std::find(run.lines.begin(), run.lines.end(), heading);
  if (at == run.lines.end() || ++at == run.lines.end()) return {};
  auto end = std::find_if(++at, run.lines.end(),
                          [](const std::string& line) { return line.empty() || line == " "; });
  return std::vector<std::string>(at, end);
}

// The sample file whose SubIFD is replaced by Entries at kSubIfd, with Data put in.
template <typename Data>
Bytes WithSubIfd(const std::vector<Entry>& entries, Data data) {
  Tiff tiff = SampleTiff();
  tiff.Put32(kExifPointerValue, kSubIfd).PutIfd(kSubIfd, entries, 0);
  data(tiff);
  return ExifJpeg(tiff);
}

Bytes WithSubIfd(const std::vector<Entry>& entries) {
  return WithSubIfd(entries, [](Tiff&) {});
}

TEST(Interpretation, showsEachTagAsStored) {
  const std::string longDate(100, '7');
  const std::string tooLongDate(300, '8');
  struct Case {
    const char* claim;
    Bytes file;
    std::string line;
  } cases[] = {
      {"a denominator of zero is not divided",
       WithSubIfd({{0x829A, kRational, 1, kData}}, [](Tiff& t) { t.PutRational(kData, 1, 0); }),
       "0x829A  0x00000001  0x00000000   シャタ－　1/0"},
      {"a rational that could be reduced stays as stored",
       WithSubIfd({{0x829A, kRational, 1, kData}}, [](Tiff& t) { t.PutRational(kData, 10, 600); }),
       "0x829A  0x0000000A  0x00000258   シャタ－　10/600"},
      {"a numerator from 0x80000000 up shows its digits and its signed number",
       WithSubIfd({{0x829D, kRational, 1, kData}},
                  [](Tiff& t) { t.PutRational(kData, 0x80000000, 1); }),
       "0x829D  0x80000000  0x00000001   絞り　　　-2147483648/1"},
      {"ISO takes the low 16 bits of a LONG", WithSubIfd({{0x8827, kLong, 1, 0x00010064}}),
       "0x8827　　　　　　               ISO 100"},
      {"ISO takes the first of two SHORTs", WithSubIfd({{0x8827, kShort, 2, 0x00C80064}}),
       "0x8827　　　　　　               ISO 100"},
      {"metering mode 0", WithSubIfd({{0x9207, kShort, 1, 0}}), kMetering + "不明"},
      {"metering mode 1", WithSubIfd({{0x9207, kShort, 1, 1}}),
       kMetering + "平均（中央重点平均測光）"},
      {"metering mode 2", WithSubIfd({{0x9207, kShort, 1, 2}}), kMetering + "中央"},
      {"metering mode 3", WithSubIfd({{0x9207, kShort, 1, 3}}), kMetering + "スポット"},
      {"metering mode 4", WithSubIfd({{0x9207, kShort, 1, 4}}), kMetering + "多点"},
      {"metering mode 6", WithSubIfd({{0x9207, kShort, 1, 6}}), kMetering + "部分測光"},
      {"metering mode 255", WithSubIfd({{0x9207, kShort, 1, 255}}), kMetering + "その他"},
      {"metering mode 7 has no name", WithSubIfd({{0x9207, kShort, 1, 7}}), "0x9207"},
      {"a metering mode above 16 bits counts its low 16 bits",
       WithSubIfd({{0x9207, kLong, 1, 0x00010002}}), kMetering + "中央"},
      {"a date with Count 0 is empty, also right after a Model line",
       WithSubIfd({{0x9003, kAscii, 0, kData}}, [](Tiff& t) { t.PutText(kData, "2010"); }), kDate},
      {"a date without its zero byte gives its Count bytes",
       WithSubIfd({{0x9003, kAscii, 4, kData}}, [](Tiff& t) { t.PutText(kData, "2010:03:26"); }),
       kDate + "2010"},
      {"a date of 100 characters is shown whole",
       WithSubIfd({{0x9003, kAscii, 101, kData}}, [&](Tiff& t) { t.PutText(kData, longDate); }),
       kDate + longDate},
      {"a date Count above 256 copies at most 256 bytes",
       WithSubIfd({{0x9003, kAscii, 301, kData}}, [&](Tiff& t) { t.PutText(kData, tooLongDate); }),
       kDate + tooLongDate.substr(0, 256)},
      {"a date beyond the read bytes is empty", WithSubIfd({{0x9003, kAscii, 20, 0x3000}}), kDate},
  };
  for (const Case& c : cases) {
    const AnalysisRun run = Analyze(c.file);
    EXPECT_EQ(run.error, "") << c.claim;
    EXPECT_EQ(SectionLines(run, kSubIfdHeading), std::vector<std::string>{c.line}) << c.claim;
  }
}

TEST(Interpretation, showsMakeAndModelRowsInTheirOrder) {
  struct Case {
    const char* claim;
    std::vector<Entry> ifd0;
    std::vector<std::string> lines;
  } cases[] = {
      {"Make twice gives two lines",
       {{0x010F, kAscii, 6, 0x80}, {0x8769, kLong, 1, 0xB0}, {0x010F, kAscii, 4, 0x300}},
       {"0x010F   4D414B455200   MAKER", "0x010F   58595A00   XYZ"}},
      {"Model before Make keeps the order of the rows",
       {{0x0110, kAscii, 10, 0x86}, {0x010F, kAscii, 6, 0x80}, {0x8769, kLong, 1, 0xB0}},
       {"0x0110   4D4F44454C2031323300   MODEL 123", "0x010F   4D414B455200   MAKER"}},
      {"without Make and Model the section is empty", {{0x8769, kLong, 1, 0xB0}}, {}},
  };
  for (const Case& c : cases) {
    Tiff tiff = SampleTiff();
    tiff.PutIfd(kIfd0, c.ifd0, 0).PutText(0x300, "XYZ");
    const AnalysisRun run = Analyze(ExifJpeg(tiff));
    EXPECT_EQ(run.error, "") << c.claim;
    EXPECT_EQ(SectionLines(run, kIfd0Heading), c.lines) << c.claim;
    // The IFD0 section always closes with the line of one space.
    auto heading = std::find(run.lines.begin(), run.lines.end(), kIfd0Heading);
    ASSERT_LT(heading + 2 + static_cast<std::ptrdiff_t>(c.lines.size()), run.lines.end());
    EXPECT_EQ(*(heading + 2 + static_cast<std::ptrdiff_t>(c.lines.size())), " ") << c.claim;
  }
}

TEST(Interpretation, endsWithTheSubIfdHeadingWhenNoKnownTagIsListed) {
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"no known tag", WithSubIfd({{0x9000, 7, 4, 0x30323230}, {0xA002, kLong, 1, 640}})},
      {"a SubIFD count of 0", WithSubIfd({})},
  };
  for (const auto& [claim, file] : cases) {
    const AnalysisRun run = Analyze(file);
    EXPECT_EQ(run.error, "") << claim;
    ASSERT_GE(run.lines.size(), 2u) << claim;
    EXPECT_EQ(run.lines[run.lines.size() - 2], kSubIfdHeading) << claim;
    EXPECT_EQ(run.lines.back(), "") << claim;
  }
}

// The denominator of a rational at file offset 15000 (V + 12 + 4) lies beyond the HexImage: its
// text is "0x" alone, and the analysis ends there with the lines before it kept.
TEST(Interpretation, endsWithTheConversionErrorForADenominatorBeyondTheBuffer) {
  const AnalysisRun run = Analyze(WithSubIfd(
      {{0x8827, kShort, 1, 200}, {0x829A, kRational, 1, 15000 - 12 - 4}, {0x9207, kShort, 1, 5}}));
  EXPECT_EQ(run.error, "'0x' は整数ではありません");
  EXPECT_EQ(run.lines.back(), "0x8827　　　　　　               ISO 200");
}

}  // namespace
