#include "FieldOps.h"

#include <algorithm>
#include <cstring>

#include "Int32.h"
#include "TextOps.h"

std::string ReverseByteOrder(const std::string& Text) {
  std::string result;
  AppendReversedBytes(Text, result);
  return result;
}

void AppendReversedBytes(std::string_view Text, std::string& Out) {
  // The pairs are written in place: one resize instead of an append per pair.
  const size_t pairs = Text.size() / 2;
  const size_t start = Out.size();
  Out.resize(start + 2 + 2 * pairs);
  char* out = Out.data() + start;
  *out++ = '0';
  *out++ = 'x';
  for (size_t pair = 0; pair < pairs; ++pair) {
    // The last pair ends at the last character; an odd first character is left out.
    const size_t end = Text.size() - 2 * pair;
    *out++ = Text[end - 2];
    *out++ = Text[end - 1];
  }
}

std::string OffsetPrefixed(int32_t Position, const std::string& Text) {
  std::string line;
  line.reserve(13 + Text.size());
  AppendOffsetPrefix(Position, line);
  line += Text;
  return line;
}

void AppendOffsetPrefix(int32_t Position, std::string& Out) {
  // IntToHex(Position / 2, 5) and "H  : ", written in place: this runs for every line.
  static const char kDigits[] = "0123456789ABCDEF";
  char text[8 + 5];
  uint32_t pattern = static_cast<uint32_t>(Position / 2);
  size_t digits = 0;
  char reversed[8];
  do {
    reversed[digits++] = kDigits[pattern & 0xF];
    pattern >>= 4;
  } while (pattern != 0);
  size_t length = 0;
  for (size_t fill = digits; fill < 5; ++fill) text[length++] = '0';
  while (digits > 0) text[length++] = reversed[--digits];
  std::memcpy(text + length, "H  : ", 5);
  Out.append(text, length + 5);
}

std::string SplitDirectoryEntry(AnalysisState& State, const std::string& Entry, int Kind,
                                int32_t Position) {
  std::string line;
  AppendSplitEntry(State, Entry, Kind, Position, line);
  return line;
}

void AppendSplitEntry(AnalysisState& State, std::string_view Entry, int Kind, int32_t Position,
                      std::string& Out) {
  // Characters of Entry (position, length) of Tag, Type, Count and Value.
  static constexpr int32_t kFields[4][2] = {{1, 4}, {5, 4}, {9, 8}, {17, 8}};
  // The four fields side by side, each "0x" and its pairs reversed and one space, written
  // in place and then copied into the row: this runs for every listed entry.
  char text[4 * 11];
  size_t start[4];
  size_t length = 0;
  for (int field = 0; field < 4; ++field) {
    const std::string_view piece = CopyView(Entry, kFields[field][0], kFields[field][1]);
    start[field] = length;
    text[length++] = '0';
    text[length++] = 'x';
    for (size_t end = piece.size(); end >= 2; end -= 2) {
      text[length++] = piece[end - 2];
      text[length++] = piece[end - 1];
    }
    text[length++] = ' ';
  }
  Out.append(text, length);

  const auto fieldText = [&](int field) {
    const size_t end = field < 3 ? start[field + 1] : length;
    return std::string_view(text + start[field], end - 1 - start[field]);
  };
  if (Kind == kIfd0Kind && fieldText(0) == "0x8769") State.ExifPointerPos = Position;
  EntryTable& table = Kind == kIfd0Kind   ? State.Ifd0Table
                      : Kind == kIfd1Kind ? State.Ifd1Table
                                          : State.SubIfdTable;
  if (EntryRow* row = table.RowToWrite(State.RowCounter)) {
    row->Tag.assign(fieldText(0));
    row->Type.assign(fieldText(1));
    row->Count.assign(fieldText(2));
    row->Value.assign(fieldText(3));
  }
  State.RowCounter = Add32(State.RowCounter, 1);
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
