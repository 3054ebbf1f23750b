#include <gtest/gtest.h>

#include "Strings.h"
#include "TextOps.h"

using platform::Copy;
using platform::ExtractFileExt;
using platform::IntToHex;
using platform::IntToStr;
using platform::Pos;
using platform::TStringList;
using platform::UpperCase;

namespace {

TEST(Copy, followsThePieceRules) {
  struct Case {
    int32_t index, count;
    const char* piece;
  } cases[] = {
      {1, 3, "abc"}, {2, 2, "bc"}, {5, 1, "e"},           {5, 9, "e"},
      {6, 1, ""},    {0, 2, "ab"}, {-7, 2, "ab"},         {INT32_MIN, 5, "abcde"},
      {1, 0, ""},    {1, -1, ""},  {3, INT32_MAX, "cde"}, {INT32_MAX, 1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Copy("abcde", c.index, c.count), c.piece) << c.index << "," << c.count;
  }
  EXPECT_EQ(Copy("", 1, 1), "");
}

TEST(Pos, findsTheFirstMatchAtAnyBytePosition) {
  EXPECT_EQ(Pos("45786966", "0457869660"), 2);
  EXPECT_EQ(Pos("ab", "xxabab"), 3);
  EXPECT_EQ(Pos("AB", "ab"), 0);
  EXPECT_EQ(Pos("abc", "ab"), 0);
  EXPECT_EQ(Pos("", "ab"), 0);
}

TEST(IntToHex, padsToTheMinimumAndShowsTwosComplement) {
  EXPECT_EQ(IntToHex(0, 5), "00000");
  EXPECT_EQ(IntToHex(12, 5), "0000C");
  EXPECT_EQ(IntToHex(14999, 5), "03A97");
  EXPECT_EQ(IntToHex(0x123456, 5), "123456");
  EXPECT_EQ(IntToHex(-1, 5), "FFFFFFFF");
  EXPECT_EQ(IntToHex(INT32_MIN, 2), "80000000");
  EXPECT_EQ(IntToHex(255, 0), "FF");
}

TEST(IntToStr, writesPlainDecimal) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(60), "60");
  EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
}

TEST(UpperCase, changesOnlyAsciiLetters) {
  EXPECT_EQ(UpperCase(".jPg"), ".JPG");
  EXPECT_EQ(UpperCase("\x83\x41z9"), "\x83\x41Z9");
}

TEST(ExtractFileExt, takesTheTextFromTheLastDot) {
  struct Case {
    const char* name;
    const char* ext;
  } cases[] = {
      {"C:\\photos\\IMG_0001.JpG", ".JpG"},
      {"/home/u/IMG_0001.jpg", ".jpg"},
      {"photo.jpg.bak", ".bak"},
      {"photo.", "."},
      {"photo", ""},
      {"C:\\photos.jpg\\IMG_0001", ""},
      {"/photos.jpg/IMG_0001", ""},
      {"a.jpg:stream", ""},
      {"\x95\x5C.jpg", ".jpg"},       // "表" ends in a 5C byte that is no separator
      {"a.b\x95\x5C", ".b\x95\x5C"},  // the same inside the extension
      {"a.b\\c", ""},                 // a real backslash is one
      {"/tmp/\xC5\x99.jpg", ".jpg"},  // UTF-8 bytes never swallow the dot
  };
  for (const Case& c : cases) EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
}

TEST(TStringList, joinsEveryLineWithCrLf) {
  TStringList list;
  EXPECT_EQ(list.Text(), "");
  list.Add("");
  list.Add("ABC");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Strings(1), "ABC");
  EXPECT_EQ(list.Text(), "\r\nABC\r\n");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
