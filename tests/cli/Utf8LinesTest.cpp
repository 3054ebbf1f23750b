#include <gtest/gtest.h>

#include <string>

#include "ReportText.h"
#include "ShiftJis.h"

namespace {

// The line converted whole, as exif-report converted each line before runs were kept.
std::string Whole(const std::string& Sjis) {
  std::string out;
  platform::AppendSjisAsUtf8(Sjis, out);
  return out;
}

// Every pair of bytes after a byte from 0x80 up, amid ASCII of both kinds (below 0x40 and
// from 0x40 on, which can be the second byte of a character): broken and half characters,
// a second byte that is "\" or a CR, bytes that start no character. Each line is also
// converted a second time, from the kept runs.
TEST(Utf8Lines, convertEveryLineAsAWholeLineConverts) {
  Utf8Lines lines;
  for (int first = 0x80; first <= 0xFF; ++first) {
    for (int second = 0; second <= 0xFF; ++second) {
      const char a = static_cast<char>(first);
      const char b = static_cast<char>(second);
      const std::string line = {'0', 'x', a, b, 'A', a, ' ', b, a, a, b, '\\', a};
      for (int pass = 0; pass < 2; ++pass) {
        std::string out = "kept";
        lines.Append(line, out);
        ASSERT_EQ(out, "kept" + Whole(line)) << std::hex << first << " " << second;
      }
    }
  }
}

TEST(Utf8Lines, keepLabelsAmongChangingValues) {
  Utf8Lines lines;
  // "露出時間" in Shift-JIS, then values that differ from line to line.
  const std::string label = "\x98\x49\x8F\x6F\x8E\x9E\x8A\xD4";
  for (const std::string value : {"1/60", "1/125", "\x82\xA0", ""}) {
    const std::string line = "0x829A  " + label + "  " + value;
    std::string out;
    lines.Append(line, out);
    EXPECT_EQ(out, Whole(line));
    EXPECT_EQ(out, "0x829A  \xE9\x9C\xB2\xE5\x87\xBA\xE6\x99\x82\xE9\x96\x93  " + Whole(value));
  }
}

}  // namespace
