#include "FieldOps.h"

#include <algorithm>

#include "Int32.h"
#include "TextOps.h"

std::string ReverseByteOrder(const std::string& Text) {
  std::string result = "0x";
  result.reserve(2 + Text.size());
  for (int64_t i = static_cast<int64_t>(Text.size()) - 1; i > 0; i -= 2) {
    result.append(Text, static_cast<size_t>(i - 1), 2);
  }
  return result;
}

std::string OffsetPrefixed(int32_t Position, const std::string& Text) {
  std::string line = IntToHex(Position / 2, 5);
  line.reserve(line.size() + 5 + Text.size());
  line += "H  : ";
  line += Text;
  return line;
}

std::string SplitDirectoryEntry(AnalysisState& State, const std::string& Entry, int Kind,
                                int32_t Position) {
  EntryTable& table = Kind == kIfd0Kind   ? State.Ifd0Table
                      : Kind == kIfd1Kind ? State.Ifd1Table
                                          : State.SubIfdTable;
  EntryRow row;
  row.Tag = ReverseByteOrder(Copy(Entry, 1, 4));
  if (Kind == kIfd0Kind && row.Tag == "0x8769") State.ExifPointerPos = Position;
  row.Type = ReverseByteOrder(Copy(Entry, 5, 4));
  row.Count = ReverseByteOrder(Copy(Entry, 9, 8));
  row.Value = ReverseByteOrder(Copy(Entry, 17, 8));
  std::string line;
  line.reserve(row.Tag.size() + row.Type.size() + row.Count.size() + row.Value.size() + 4);
  for (const std::string* field : {&row.Tag, &row.Type, &row.Count, &row.Value}) {
    line += *field;
    line += ' ';
  }
  if (State.RowCounter >= 0) table.Row(State.RowCounter) = std::move(row);
  State.RowCounter = Add32(State.RowCounter, 1);
  return line;
}

std::string AsciiValueText(AnalysisState& State, const EntryRow& Row) {
  const int32_t offset = Add32(StrToInt(Row.Value), State.TiffBase);
  const int32_t count = StrToInt(Row.Count);
  // Copy at most the TextBuffer's size, and only bytes inside LoadBuffer.
  const int64_t wanted = std::clamp<int64_t>(count, 0, kTextBufferSize);
  int64_t taken = 0;
  if (offset >= 0) {
    while (taken < wanted && offset + taken < kLoadBufferSize &&
           State.LoadBuffer[static_cast<size_t>(offset + taken)] != 0) {
      State.TextBuffer[static_cast<size_t>(taken)] =
          static_cast<char>(State.LoadBuffer[static_cast<size_t>(offset + taken)]);
      ++taken;
    }
  }
  std::fill(State.TextBuffer.begin() + taken, State.TextBuffer.begin() + wanted, '\0');
  return std::string(State.TextBuffer.data(), static_cast<size_t>(taken));
}

std::string ReadAsciiValue(AnalysisState& State, const std::string& HexImage, int32_t RowIndex) {
  const EntryRow& row = State.Ifd0Table.At(RowIndex);
  const int32_t offset = Add32(StrToInt(row.Value), State.TiffBase);
  const int32_t count = StrToInt(row.Count);
  const std::string digits = Copy(HexImage, Add32(Mul32(2, offset), 1), Mul32(2, count));
  return row.Tag + "   " + digits + "   " + AsciiValueText(State, row);
}
