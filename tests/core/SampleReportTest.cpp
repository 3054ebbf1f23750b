// The report of the sample photograph (SampleJpeg) as the analysis writes it.

#include <gtest/gtest.h>

#include "AnalysisRun.h"
#include "SampleReport.h"

namespace {

using fixture::SampleJpeg;
using fixture::SampleReport;

TEST(SampleReport, holdsEveryLineOfTheSamplePhotograph) {
  const AnalysisRun run = Analyze(SampleJpeg());
  EXPECT_EQ(run.error, "");
  ASSERT_EQ(run.lines.size(), SampleReport().size());
  for (size_t i = 0; i < SampleReport().size(); ++i) {
    EXPECT_EQ(run.lines[i], SampleReport()[i]) << "line " << i + 1;
  }
}

// The fixed texts are Shift-JIS: "－" is the full-width hyphen-minus 81 7C and the gaps
// are ideographic spaces 81 40.
TEST(SampleReport, writesTheFixedTextsInShiftJis) {
  const AnalysisRun run = Analyze(SampleJpeg());
  ASSERT_EQ(run.lines.size(), SampleReport().size());
  EXPECT_EQ(run.lines[37],
            "0x829A  0x00000001  0x0000003C   \x83\x56\x83\x83\x83\x5E\x81\x7C\x81\x40"
            "1/60");
  EXPECT_EQ(run.lines[39],
            "0x8827\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40               ISO 100");
  EXPECT_EQ(run.lines[29].substr(0, 16), "IFD0\x82\xCC\x88\xEA\x95\x94\x83\x66\x81\x7C\x83\x5E");
}

}  // namespace
