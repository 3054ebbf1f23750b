// The listing part of the report: marker lines, where the TIFF header is taken to be, the
// IFD0, IFD1 and SubIFD sections, and the state that one analysis leaves for the next.

#include <gtest/gtest.h>

#include "AnalysisRun.h"

namespace {

using fixture::Bytes;
using fixture::Entry;
using fixture::ExifJpeg;
using fixture::FromHex;
using fixture::SampleJpeg;
using fixture::SampleTiff;
using fixture::Tiff;

const char kNotAnInteger0x[] = "'0x' は整数ではありません";

// TIFF offsets of the sample file's fields that the cases below change.
constexpr uint32_t kIfd0OffsetField = 0x04;
constexpr uint32_t kIfd0CountField = 0x08;
constexpr uint32_t kIfd0LinkField = 0x2E;
constexpr uint32_t kExifPointerValue = 0x2A;  // value of IFD0's third entry, 0x8769
constexpr uint32_t kSubIfd = 0xB0;

// The N lines from the first line equal to First on; fewer at the end of the report.
std::vector<std::string> LinesFrom(const std::vector<std::string>& lines, const std::string& first,
                                   size_t n) {
  auto at = std::find(lines.begin(), lines.end(), first);
  const size_t left = static_cast<size_t>(lines.end() - at);
  return std::vector<std::string>(at, at + static_cast<std::ptrdiff_t>(std::min(n, left)));
}

// The sample file with one change to its TIFF data.
template <typename Change>
Bytes SampleWith(Change change, bool jfifFirst = false) {
  Tiff tiff = SampleTiff();
  change(tiff);
  return ExifJpeg(tiff, jfifFirst);
}

// The sample file with Segment between SOI and the Exif segment.
Bytes SampleAfter(const Bytes& segment) {
  Bytes file = SampleJpeg();
  file.insert(file.begin() + 2, segment.begin(), segment.end());
  return file;
}

TEST(Listing, followsTheFirstSegmentAndTheTiffHeaderWhereverItIs) {
  Bytes noSoi = SampleJpeg();
  noSoi[1] = 0xD9;
  Bytes otherSegment = SampleJpeg();
  otherSegment[3] = 0xE2;
  // APP1 first, with 4 bytes between "Exif\0\0" and the TIFF header.
  Bytes lateTiff = FromHex("FFD8 FFE1 01EE 457869660000 00000000");
  const Tiff sample = SampleTiff();
  lateTiff.insert(lateTiff.end(), sample.bytes().begin(), sample.bytes().end());

  struct Case {
    const char* claim;
    Bytes file;
    int32_t tiffBase;
    std::vector<std::string> firstLines;
  } cases[] = {
      {"APP0 first: TIFF header after the JFIF segment",
       ExifJpeg(SampleTiff(), true),
       30,
       {"00000H  : FFD8        SOI", "00002H  : FFE0        APP0", "", "00022H  : 08000000", "",
        "IFD0", "00026H  : 03", "00028H  : 0x010F 0x0002 0x00000006 0x00000080 "}},
      {"first segment neither APP1 nor APP0: no marker line",
       otherSegment,
       12,
       {"00000H  : FFD8        SOI", "", "00010H  : 08000000", "", "IFD0", "00014H  : 03"}},
      {"no SOI: an empty first line",
       noSoi,
       12,
       {"", "00002H  : FFE1        APP1", "00004H  : 01E2        Size",
        "00006H  : 45786966    Exif", "0000CH  : 49492A00    II*", "", "00010H  : 08000000"}},
      {"APP1 first, TIFF header at 16: the II* line still shows bytes 12 to 15",
       lateTiff,
       16,
       {"00000H  : FFD8        SOI", "00002H  : FFE1        APP1", "00004H  : 01EE        Size",
        "00006H  : 45786966    Exif", "0000CH  : 00000000    II*", "", "00014H  : 08000000", "",
        "IFD0", "00018H  : 03"}},
      {"49492A in the middle of bytes is no TIFF header",
       SampleAfter(FromHex("FFE0 0006 049492A0")),
       20,
       {"00000H  : FFD8        SOI", "00002H  : FFE0        APP0", "", "00018H  : 08000000"}},
      {"49492A on whole bytes in an earlier segment is taken as the header",
       SampleAfter(FromHex("FFE0 0006 49492A00")),
       6,
       {"00000H  : FFD8        SOI", "00002H  : FFE0        APP0", "", "0000AH  : FFE101E2", "",
        "IFD0", "0000EH  : 45"}},
      {"an IFD0 offset other than 8 is shown as stored; IFD0 is still read at 8",
       SampleWith([](Tiff& t) { t.Put32(kIfd0OffsetField, 0x20); }),
       12,
       {"00000H  : FFD8        SOI", "00002H  : FFE1        APP1", "00004H  : 01E2        Size",
        "00006H  : 45786966    Exif", "0000CH  : 49492A00    II*", "", "00010H  : 20000000", "",
        "IFD0", "00014H  : 03"}},
  };
  for (const Case& c : cases) {
    AnalysisState state;
    const AnalysisRun run = Analyze(state, c.file);
    EXPECT_EQ(state.TiffBase, c.tiffBase) << c.claim;
    ASSERT_GE(run.lines.size(), c.firstLines.size()) << c.claim;
    EXPECT_EQ(std::vector<std::string>(
                  run.lines.begin(),
                  run.lines.begin() + static_cast<std::ptrdiff_t>(c.firstLines.size())),
              c.firstLines)
        << c.claim;
  }
}

// The interpretation reads its values from the TIFF header that the listing found, so a
// JFIF segment before the Exif segment changes none of its lines.
TEST(Listing, readsValuesFromTheRealTiffHeaderAfterAJfifSegment) {
  const AnalysisRun usual = Analyze(SampleJpeg());
  const AnalysisRun jfif = Analyze(ExifJpeg(SampleTiff(), true));
  EXPECT_EQ(jfif.error, "");
  const std::string heading = "IFD0の一部デ－タの解析（タグのオフセット+0ＣＨのデ－タ）";
  EXPECT_EQ(LinesFrom(jfif.lines, heading, 100), LinesFrom(usual.lines, heading, 100));
  EXPECT_EQ(jfif.lines.back(),
            "0x9207　　　　   　　　　　　　　測光モ－ド　マルチセグメント（評価測光）");
}

TEST(Listing, readsOnlyTheLowByteOfTheIfd0Count) {
  struct Case {
    const char* claim;
    Tiff tiff;
    std::vector<std::string> ifd0Section;  // from "IFD0" to the empty line after the link
  } cases[] = {
      {"count 0x0102 lists 2 entries and reads the link inside the real entry list",
       SampleTiff().Put16(kIfd0CountField, 0x0102),
       {"IFD0", "00014H  : 02", "00016H  : 0x010F 0x0002 0x00000006 0x00000080 ",
        "00022H  : 0x0110 0x0002 0x0000000A 0x00000086 ", "0002EH  : 0x00048769", ""}},
      {"count 0x0100 lists nothing and reads the link from the first entry's tag and type",
       SampleTiff().Put16(kIfd0CountField, 0x0100),
       {"IFD0", "00014H  : 00", "00016H  : 0x0002010F", ""}},
      {"count 0: the link follows the count at TIFF offset 10",
       Tiff().PutIfd(8, {}, 0x1234),
       {"IFD0", "00014H  : 00", "00016H  : 0x00001234", ""}},
  };
  for (const Case& c : cases) {
    const AnalysisRun run = Analyze(ExifJpeg(c.tiff));
    EXPECT_EQ(LinesFrom(run.lines, "IFD0", c.ifd0Section.size()), c.ifd0Section) << c.claim;
  }
}

// Without the rule the link 0 would list IFD1 at the TIFF header itself: 18761 garbage
// entries.
TEST(Listing, anIfd0LinkOfZeroMeansNoIfd1) {
  const AnalysisRun run = Analyze(SampleWith([](Tiff& t) { t.Put32(kIfd0LinkField, 0); }));
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(LinesFrom(run.lines, "0003AH  : 0x00000000", 6),
            (std::vector<std::string>{"0003AH  : 0x00000000", "", "IFD1", "", "SubIFD",
                                      "000BCH  : 0x05"}));
  EXPECT_EQ(run.lines.size(), 42u - 4u);  // the sample's report without the IFD1 lines
}

TEST(Listing, endsWithTheConversionErrorWhenIfd1LiesBeyondTheImage) {
  const AnalysisRun run = Analyze(SampleWith([](Tiff& t) { t.Put32(kIfd0LinkField, 0x10000); }));
  EXPECT_EQ(run.error, kNotAnInteger0x);
  ASSERT_GE(run.lines.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(run.lines.end() - 4, run.lines.end()),
            (std::vector<std::string>{"0003AH  : 0x00010000", "", "IFD1", "1000CH  : 0x"}));
}

TEST(Listing, readsOnlyTheLowByteOfTheSubIfdCount) {
  struct Case {
    uint16_t field;
    const char* countLine;
    size_t entries;
  } cases[] = {{0x001F, "000BCH  : 0x1F", 31},
               {0x0120, "000BCH  : 0x20", 32},
               {0x0000, "000BCH  : 0x00", 0}};
  for (const Case& c : cases) {
    AnalysisState state;
    const AnalysisRun run = Analyze(state, SampleWith([&](Tiff& t) { t.Put16(kSubIfd, c.field); }));
    const std::vector<std::string> section = LinesFrom(run.lines, c.countLine, 300);
    const size_t listed = std::find(section.begin(), section.end(), "") - section.begin() - 1;
    EXPECT_EQ(listed, c.entries) << c.countLine;
    EXPECT_EQ(state.SubIfdCount, static_cast<int32_t>(c.entries)) << c.countLine;
  }
}

// Entries beyond the tables' first 50 rows are kept and interpreted.
TEST(Listing, interpretsEntriesBeyondTheFiftiethRow) {
  std::vector<Entry> entries(60, Entry{0x9999, fixture::kShort, 1, 0});
  entries.push_back({fixture::kIsoTag, fixture::kShort, 1, 400});
  const AnalysisRun run = Analyze(
      SampleWith([&](Tiff& t) { t.Put32(kExifPointerValue, 0x300).PutIfd(0x300, entries, 0); }));
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(run.lines.back(), "0x8827　　　　　　               ISO 400");
}

// A file whose IFD0 has no Exif pointer, analysed after one that had it, gets no SubIFD
// listing and no SubIFD interpretation: nothing of the earlier file shows.
TEST(Listing, carriesNoSubIfdOverFromAnEarlierFile) {
  const Bytes withoutPointer = SampleWith([](Tiff& t) {
    t.PutIfd(8, {{fixture::kMakeTag, fixture::kAscii, 6, 0x80}}, 0x32);
  });
  AnalysisState state;
  Analyze(state, SampleJpeg());
  ASSERT_GT(state.ExifPointerPos, 0);
  const AnalysisRun run = Analyze(state, withoutPointer);
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(state.ExifPointerPos, 0);
  EXPECT_EQ(state.SubIfdCount, 0);
  EXPECT_EQ(run.lines.front(), "00000H  : FFD8        SOI");
  EXPECT_EQ(LinesFrom(run.lines, "SubIFD", 100),
            (std::vector<std::string>{
                "SubIFD", "", "IFD0の一部デ－タの解析（タグのオフセット+0ＣＨのデ－タ）", "",
                "0x010F   4D414B455200   MAKER", " ", "",
                "SubIFDの一部デ－タの解析（タグのオフセット+0ＣＨのデ－タ）", ""}));
}

}  // namespace
