#include <gtest/gtest.h>

#include "ShiftJis.h"

using platform::IsAscii;
using platform::SjisToUtf8;
using platform::Utf8ToSjis;

namespace {

TEST(SystemTexts, compileToExactShiftJis) {
  EXPECT_EQ(std::string("デ－タが無いようです"),
            "\x83\x66\x81\x7C\x83\x5E\x82\xAA\x96\xB3\x82\xA2\x82\xE6\x82\xA4\x82\xC5\x82\xB7");
  EXPECT_EQ(std::string("ＪＰＧ　"), "\x82\x69\x82\x6F\x82\x66\x81\x40");
}

TEST(SjisToUtf8, convertsForDisplay) {
  EXPECT_EQ(SjisToUtf8("\x83\x66\x81\x7C\x83\x5E"), u8"デ－タ");
  EXPECT_EQ(SjisToUtf8("ABC\\~"), "ABC\\~");
  EXPECT_EQ(Utf8ToSjis(u8"測光モ－ド"), std::string("測光モ－ド"));
}

TEST(SjisToUtf8, showsInvalidBytesAsReplacementCharacters) {
  EXPECT_EQ(SjisToUtf8("A\x81"), "A\xEF\xBF\xBD");
  EXPECT_EQ(SjisToUtf8(std::string("A\0B", 3)), std::string("A\0B", 3));
}

TEST(IsAscii, holdsForBytesBelow0x80Only) {
  EXPECT_TRUE(IsAscii(""));
  EXPECT_TRUE(IsAscii(std::string("A\0\r\n\x7F", 5)));
  EXPECT_FALSE(IsAscii("ABC\x80"));
  EXPECT_FALSE(IsAscii("\xFF"));
  EXPECT_FALSE(IsAscii("あ"));
}

}  // namespace
