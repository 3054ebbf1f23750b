#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "Exceptions.h"
#include "FieldOps.h"

using platform::EConvertError;

namespace {

TEST(ReverseByteOrder, reversesTheBytePairs) {
  struct Case {
    const char* text;
    const char* reversed;
  } cases[] = {{"", "0x"},
               {"A", "0x"},
               {"ABC", "0xBC"},
               {"0F01", "0x010F"},
               {"9E000000", "0x0000009E"},
               {"03", "0x03"},
               {"ABCDE", "0xDEBC"}};
  for (const Case& c : cases) EXPECT_EQ(ReverseByteOrder(c.text), c.reversed) << c.text;
}

TEST(OffsetPrefixed, showsTheByteOffsetOfThePosition) {
  EXPECT_EQ(OffsetPrefixed(0, "FFD8"), "00000H  : FFD8");
  EXPECT_EQ(OffsetPrefixed(1, "x"), "00000H  : x");
  EXPECT_EQ(OffsetPrefixed(2, "x"), "00001H  : x");
  EXPECT_EQ(OffsetPrefixed(25, ""), "0000CH  : ");
  EXPECT_EQ(OffsetPrefixed(29999, ""), "03A97H  : ");
  EXPECT_EQ(OffsetPrefixed(-1, ""), "00000H  : ");     // rounds toward zero
  EXPECT_EQ(OffsetPrefixed(-3, ""), "FFFFFFFFH  : ");  // wrapped below zero
  EXPECT_EQ(OffsetPrefixed(INT32_MIN + 1, ""), "C0000001H  : ");
}

// Every digit value at every place and every width from five to eight digits, against the
// C library's formatting.
TEST(OffsetPrefixed, writesTheDigitsOfAnyOffset) {
  for (int64_t position = INT32_MIN; position <= INT32_MAX; position += 104729) {
    for (const int32_t p :
         {static_cast<int32_t>(position), static_cast<int32_t>(position / 4096)}) {
      char expected[32];
      std::snprintf(expected, sizeof expected, "%05XH  : x", static_cast<uint32_t>(p / 2));
      ASSERT_EQ(OffsetPrefixed(p, "x"), expected) << p;
    }
  }
}

TEST(SplitDirectoryEntry, storesTheFieldsAndReturnsTheListingText) {
  AnalysisState state;
  EXPECT_EQ(SplitDirectoryEntry(state, "0F010200060000009E000000", TableKind::Ifd0, 23),
            "0x010F 0x0002 0x00000006 0x0000009E ");
  const EntryRow& row = state.Ifd0Table.At(0);
  EXPECT_EQ(row.Tag, "0x010F");
  EXPECT_EQ(row.Type, "0x0002");
  EXPECT_EQ(row.Count, "0x00000006");
  EXPECT_EQ(row.Value, "0x0000009E");
  EXPECT_EQ(state.RowCounter, 1);
  EXPECT_EQ(state.ExifPointerPos, 0);

  SplitDirectoryEntry(state, "698704000100000026010000", TableKind::Ifd0, 133);
  EXPECT_EQ(state.ExifPointerPos, 133);
  EXPECT_EQ(state.Ifd0Table.At(1).Value, "0x00000126");
}

TEST(SplitDirectoryEntry, recordsTheExifPointerOnlyForIfd0) {
  AnalysisState state;
  SplitDirectoryEntry(state, "698704000100000026010000", TableKind::Ifd1, 133);
  SplitDirectoryEntry(state, "698704000100000026010000", TableKind::SubIfd, 133);
  EXPECT_EQ(state.ExifPointerPos, 0);
  EXPECT_EQ(state.Ifd1Table.At(0).Tag, "0x8769");
  EXPECT_EQ(state.SubIfdTable.At(1).Tag, "0x8769");
}

TEST(SplitDirectoryEntry, keepsShortAndEmptyEntries) {
  AnalysisState state;
  EXPECT_EQ(SplitDirectoryEntry(state, "", TableKind::Ifd0, 0), "0x 0x 0x 0x ");
  EXPECT_EQ(state.Ifd0Table.At(0).Value, "0x");
  EXPECT_EQ(SplitDirectoryEntry(state, "0F0102000600", TableKind::Ifd0, 0),
            "0x010F 0x0002 0x0006 0x ");
  // A field cut to an odd length loses its first character, as ReverseByteOrder does.
  EXPECT_EQ(SplitDirectoryEntry(state, "0F0102000600000", TableKind::Ifd0, 0),
            "0x010F 0x0002 0x000060 0x ");
  EXPECT_EQ(state.Ifd0Table.At(2).Count, "0x000060");
  EXPECT_EQ(state.RowCounter, 3);
}

// IFD0 and SubIFD rows are read by the interpretation, so those tables grow; nothing reads
// IFD1's rows, whose table keeps its first 50 while every entry still gives its text.
TEST(SplitDirectoryEntry, growsTheReadTablesBeyondFiftyRows) {
  for (const TableKind kind : {TableKind::Ifd0, TableKind::Ifd1, TableKind::SubIfd}) {
    AnalysisState state;
    for (int k = 0; k < 300; ++k) {
      EXPECT_EQ(SplitDirectoryEntry(state, "0F0102000600000000000000", kind, 0),
                "0x010F 0x0002 0x00000006 0x00000000 ");
    }
    const EntryTable& table = kind == TableKind::Ifd0   ? state.Ifd0Table
                              : kind == TableKind::Ifd1 ? state.Ifd1Table
                                                        : state.SubIfdTable;
    const int32_t rows = kind == TableKind::Ifd1 ? 50 : 300;
    EXPECT_EQ(table.Size(), rows) << static_cast<int>(kind);
    EXPECT_EQ(table.At(rows - 1).Tag, "0x010F") << static_cast<int>(kind);
    EXPECT_EQ(state.RowCounter, 300);
  }
}

// A state whose TIFF header is at file offset 12, with Bytes at file offset 12 + Value.
AnalysisState StateWithValue(uint32_t value, const std::string& bytes) {
  AnalysisState state;
  state.TiffBase = 12;
  std::memcpy(&state.LoadBuffer[12 + value], bytes.data(), bytes.size());
  return state;
}

EntryRow Row(const char* count, const char* value) {
  return {"0x010F", "0x0002", count, value};
}

TEST(AsciiValueText, takesTheBytesBeforeTheFirstZero) {
  AnalysisState state = StateWithValue(0x9E, std::string("AB\0\0", 4));
  EXPECT_EQ(AsciiValueText(state, Row("0x00000004", "0x0000009E")), "AB");
  EXPECT_EQ(AsciiValueText(state, Row("0x00000001", "0x0000009E")), "A");
}

TEST(AsciiValueText, carriesNothingOverFromAnEarlierCopy) {
  AnalysisState state = StateWithValue(0x10, "ABCDEF");
  std::memcpy(&state.LoadBuffer[12 + 0x40], "XY", 2);
  EXPECT_EQ(AsciiValueText(state, Row("0x00000007", "0x00000010")), "ABCDEF");
  EXPECT_EQ(AsciiValueText(state, Row("0x00000002", "0x00000040")), "XY");
  EXPECT_EQ(AsciiValueText(state, Row("0x00000000", "0x00000040")), "");
}

TEST(AsciiValueText, findsValuesFromTheRealTiffHeader) {
  AnalysisState state;
  state.TiffBase = 30;  // a JFIF segment before the Exif segment
  std::memcpy(&state.LoadBuffer[30 + 8], "MAKER", 6);
  EXPECT_EQ(AsciiValueText(state, Row("0x00000006", "0x00000008")), "MAKER");
}

TEST(AsciiValueText, neverReadsOrWritesOutsideItsBuffers) {
  AnalysisState state;
  state.TiffBase = 12;
  std::memset(state.LoadBuffer.data(), 'Q', state.LoadBuffer.size());
  struct Case {
    const char* count;
    const char* value;
    size_t length;
  } cases[] = {
      {"0x00000004", "0x00003A89", 3},  // 3 bytes before the end of the buffer
      {"0xFFFFFFFF", "0x00000000", 0},  // a negative count copies nothing
      {"0x80000000", "0x00000000", 0},
      {"0x00001000", "0x00000000", 256},  // at most the TextBuffer's size
      {"0x00000010", "0x7FFFFFFF", 0},    // wraps to a negative offset
      {"0x00000010", "0x80000000", 0},
      {"0x00000010", "0xFFFFFFF0", 0},   // -16 + 12 < 0
      {"0x00000010", "0xFFFFFFF4", 16},  // -12 + 12 = offset 0
      {"0x00000010", "0x00003A8C", 0},   // 15000: just outside
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AsciiValueText(state, Row(c.count, c.value)).size(), c.length)
        << c.count << " " << c.value;
  }
}

TEST(AsciiValueText, convertsValueBeforeCount) {
  AnalysisState state;
  try {
    AsciiValueText(state, Row("0x", "0y"));
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message.substr(0, 5), "'0y' ");
  }
}

TEST(ReadAsciiValue, joinsTagHexDigitsAndText) {
  AnalysisState state = StateWithValue(0x9E, std::string("ABC\0", 4));
  SplitDirectoryEntry(state, "0F010200040000009E000000", TableKind::Ifd0, 0);
  EXPECT_EQ(ReadAsciiValue(state, HexImage(state), 0), "0x010F   41424300   ABC");
}

TEST(ReadAsciiValue, showsZerosForAValueBeyondTheReadBytes) {
  AnalysisState state;
  state.TiffBase = 12;
  SplitDirectoryEntry(state, "0F01020004000000F4270000", TableKind::Ifd0, 0);  // offset 10200
  EXPECT_EQ(ReadAsciiValue(state, HexImage(state), 0), "0x010F   00000000   ");
}

TEST(ReadAsciiValue, raisesTheConversionErrorForARowNeverFilled) {
  AnalysisState state;
  try {
    ReadAsciiValue(state, HexImage(state), 0);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message.substr(0, 3), "'' ");
  }
}

}  // namespace
