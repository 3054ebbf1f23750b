#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "AnalysisState.h"

namespace {

TEST(HexImage, isAllZerosAtProgramLoad) {
  AnalysisState state;
  EXPECT_EQ(HexImage(state), std::string(30000, '0'));
}

TEST(HexImage, showsEveryByteAsTwoUppercaseDigits) {
  AnalysisState state;
  state.LoadBuffer[0] = 0x0A;
  state.LoadBuffer[1] = 0xFF;
  state.LoadBuffer[12] = 0x49;
  state.LoadBuffer[9999] = 0x80;
  state.LoadBuffer[14999] = 0x7E;
  const std::string image = HexImage(state);
  ASSERT_EQ(image.size(), 30000u);
  EXPECT_EQ(image.substr(0, 4), "0AFF");
  EXPECT_EQ(image.substr(24, 2), "49");  // offset 12 is at positions 25 and 26
  EXPECT_EQ(image.substr(19998, 2), "80");
  EXPECT_EQ(image.substr(29998, 2), "7E");
}

TEST(HexImage, showsEveryByteValueAtEveryPlace) {
  AnalysisState state;
  std::string expected;
  for (size_t i = 0; i < state.LoadBuffer.size(); ++i) {
    state.LoadBuffer[i] = static_cast<uint8_t>((i * 7 + i / 256) & 0xFF);
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", state.LoadBuffer[i]);
    expected += digits;
  }
  EXPECT_EQ(HexImage(state), expected);
}

TEST(EntryTable, startsWithFiftyEmptyRowsAndGrows) {
  EntryTable table;
  EXPECT_EQ(table.Size(), 50);
  EXPECT_EQ(table.At(49).Tag, "");
  EXPECT_EQ(table.At(50).Tag, "");  // not held: an empty row, nothing read outside
  table.Store(300, EntryRow{"0x010F", "", "", ""});
  EXPECT_EQ(table.Size(), 301);
  EXPECT_EQ(table.At(300).Tag, "0x010F");
  EXPECT_EQ(table.At(-1).Tag, "");
}

TEST(EntryTable, keepsNoRowFromItsLimitOn) {
  EntryTable table(50);
  table.Store(49, EntryRow{"0x0001", "", "", ""});
  table.Store(50, EntryRow{"0x0002", "", "", ""});
  table.Store(-1, EntryRow{"0x0003", "", "", ""});
  EXPECT_EQ(table.Size(), 50);
  EXPECT_EQ(table.At(49).Tag, "0x0001");
}

// The image written over a text of any earlier length is the image alone.
TEST(HexImage, replacesWhateverItIsWrittenOver) {
  AnalysisState state;
  state.LoadBuffer[0] = 0xAB;
  for (const std::string& earlier : {std::string(), std::string(40000, 'x'), HexImage(state)}) {
    std::string image = earlier;
    BuildHexImage(state, image);
    EXPECT_EQ(image, HexImage(state));
    EXPECT_EQ(image.size(), 30000u);
  }
}

// A load converts only the bytes it read: the zeros after them come out as the same digits,
// over any earlier image, and a place outside the buffer converts all of it or none.
TEST(HexImage, fillsTheKnownZerosWithoutConvertingThem) {
  AnalysisState state;
  for (const int32_t zeroFrom : {-1, 0, 1, 17, 10000, 14999, 15000, 20000}) {
    state.LoadBuffer.fill(0);
    for (int32_t i = 0; i < std::min(zeroFrom, kLoadBufferSize); ++i) {
      state.LoadBuffer[static_cast<size_t>(i)] = static_cast<uint8_t>(0xA5 ^ i);
    }
    std::string image(40000, 'x');
    BuildHexImage(state, image, zeroFrom);
    EXPECT_EQ(image, HexImage(state)) << zeroFrom;
  }
}

}  // namespace
