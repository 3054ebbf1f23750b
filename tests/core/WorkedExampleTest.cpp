// The whole report of the sample file, line by line: the marker lines, the three
// listings and the interpretation of all seven tags.

#include <gtest/gtest.h>

#include "AnalysisRun.h"

namespace {

using fixture::SampleJpeg;

const std::vector<std::string> kSampleReport = {
    "00000H  : FFD8        SOI",
    "00002H  : FFE1        APP1",
    "00004H  : 01E2        Size",
    "00006H  : 45786966    Exif",
    "0000CH  : 49492A00    II*",
    "",
    "00010H  : 08000000",
    "",
    "IFD0",
    "00014H  : 03",
    "00016H  : 0x010F 0x0002 0x00000006 0x00000080 ",
    "00022H  : 0x0110 0x0002 0x0000000A 0x00000086 ",
    "0002EH  : 0x8769 0x0004 0x00000001 0x000000B0 ",
    "0003AH  : 0x00000032",
    "",
    "IFD1",
    "0003EH  : 0x0002",
    "00040H  : 0x0103 0x0003 0x00000001 0x00000006 ",
    "0004CH  : 0x0201 0x0004 0x00000001 0x00000200 ",
    "00058H  : 0x00000000",
    "",
    "SubIFD",
    "000BCH  : 0x05",
    "000BEH  : 0x829A 0x0005 0x00000001 0x000000A0 ",
    "000CAH  : 0x829D 0x0005 0x00000001 0x000000A8 ",
    "000D6H  : 0x8827 0x0003 0x00000001 0x00000064 ",
    "000E2H  : 0x9003 0x0002 0x00000014 0x000000F2 ",
    "000EEH  : 0x9207 0x0003 0x00000001 0x00000005 ",
    "",
    "IFD0の一部デ－タの解析（タグのオフセット+0ＣＨのデ－タ）",
    "",
    "0x010F   4D414B455200   MAKER",
    "0x0110   4D4F44454C2031323300   MODEL 123",
    " ",
    "",
    "SubIFDの一部デ－タの解析（タグのオフセット+0ＣＨのデ－タ）",
    "",
    "0x829A  0x00000001  0x0000003C   シャタ－　1/60",
    "0x829D  0x0000001C  0x0000000A   絞り　　　28/10",
    "0x8827　　　　　　               ISO 100",
    "0x9003　　　　   　　　　　　　　撮影日　2010:03:26 12:34:56",
    "0x9207　　　　   　　　　　　　　測光モ－ド　マルチセグメント（評価測光）",
};

TEST(WorkedExample, reportsEveryLineOfTheSampleFile) {
  const AnalysisRun run = Analyze(SampleJpeg());
  EXPECT_EQ(run.error, "");
  ASSERT_EQ(run.lines.size(), kSampleReport.size());
  for (size_t i = 0; i < kSampleReport.size(); ++i) {
    EXPECT_EQ(run.lines[i], kSampleReport[i]) << "line " << i + 1;
  }
}

// The fixed texts are Shift-JIS: "－" is the full-width hyphen-minus 81 7C and the gaps
// are ideographic spaces 81 40.
TEST(WorkedExample, writesTheFixedTextsInShiftJis) {
  const AnalysisRun run = Analyze(SampleJpeg());
  ASSERT_EQ(run.lines.size(), kSampleReport.size());
  EXPECT_EQ(run.lines[37],
            "0x829A  0x00000001  0x0000003C   \x83\x56\x83\x83\x83\x5E\x81\x7C\x81\x40"
            "1/60");
  EXPECT_EQ(run.lines[39],
            "0x8827\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40               ISO 100");
  EXPECT_EQ(run.lines[29].substr(0, 16), "IFD0\x82\xCC\x88\xEA\x95\x94\x83\x66\x81\x7C\x83\x5E");
}

}  // namespace
