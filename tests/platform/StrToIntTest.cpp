#include <gtest/gtest.h>

#include "Exceptions.h"
#include "TextOps.h"

using platform::EConvertError;
using platform::StrToInt;

namespace {

struct Converts {
  const char* text;
  int32_t value;
};

class StrToIntConverts : public testing::TestWithParam<Converts> {};

TEST_P(StrToIntConverts, toItsNumber) {
  EXPECT_EQ(StrToInt(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, StrToIntConverts,
    testing::Values(Converts{"0", 0}, Converts{"42", 42}, Converts{"   42", 42},
                    Converts{"+42", 42}, Converts{"-42", -42}, Converts{"007", 7},
                    Converts{"2147483647", 2147483647}, Converts{"-2147483648", INT32_MIN},
                    Converts{"$1F", 31}, Converts{"x1f", 31}, Converts{"X1F", 31},
                    Converts{"0x010F", 271}, Converts{"0X03", 3}, Converts{"0x7FFFFFFF", INT32_MAX},
                    Converts{"0x80000000", INT32_MIN}, Converts{"0xFFFFFFFF", -1},
                    Converts{"0x00000000FF", 255},  // leading zeros are not bits
                    Converts{"-0x10", 16},          // a sign before a prefix has no effect
                    Converts{"+$10", 16}, Converts{" -$FFFFFFFF", -1}));

class StrToIntRefuses : public testing::TestWithParam<const char*> {};

TEST_P(StrToIntRefuses, withTheConversionErrorNamingTheText) {
  const std::string text = GetParam();
  try {
    StrToInt(text);
    FAIL() << "converted: " << text;
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "'" + text + "' は整数ではありません");
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, StrToIntRefuses,
                         testing::Values("", " ", "0x", "0X", "$", "x", "-", "+", "-0x", "12 ",
                                         "0x1F ", "1a", "0xG", "--1", "+-1", "0x123456789",
                                         "2147483648", "-2147483649", "99999999999", "1.5", "\t1",
                                         "0x-1", "$ 1"));

TEST(StrToIntMessage, isShiftJisBytes) {
  try {
    StrToInt("0x");
    FAIL() << "'0x' converted";
  } catch (const EConvertError& e) {
    // "'0x' は整数ではありません" in code page 932.
    EXPECT_EQ(e.Message,
              "'0x' \x82\xcd\x90\xae\x90\x94\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82"
              "\xf1");
  }
}

}  // namespace
