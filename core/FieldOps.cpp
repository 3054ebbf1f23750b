#include "FieldOps.h"

#include <algorithm>

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
  Out += IntToHex(Position / 2, 5);
  Out += "H  : ";
}

std::string SplitDirectoryEntry(AnalysisState& State, const std::string& Entry, int Kind,
                                int32_t Position) {
  std::string line;
  AppendSplitEntry(State, Entry, Kind, Position, line);
  return line;
}

void AppendSplitEntry(AnalysisState& State, std::string_view Entry, int Kind, int32_t Position,
                      std::string& Out) {
  EntryTable& table = Kind == kIfd0Kind   ? State.Ifd0Table
                      : Kind == kIfd1Kind ? State.Ifd1Table
                                          : State.SubIfdTable;
  EntryRow row;
  AppendReversedBytes(CopyView(Entry, 1, 4), row.Tag);
  if (Kind == kIfd0Kind && row.Tag == "0x8769") State.ExifPointerPos = Position;
  AppendReversedBytes(CopyView(Entry, 5, 4), row.Type);
  AppendReversedBytes(CopyView(Entry, 9, 8), row.Count);
  AppendReversedBytes(CopyView(Entry, 17, 8), row.Value);
  Out.reserve(Out.size() + row.Tag.size() + row.Type.size() + row.Count.size() + row.Value.size() +
              4);
  for (const std::string* field : {&row.Tag, &row.Type, &row.Count, &row.Value}) {
    Out += *field;
    Out += ' ';
  }
  table.Store(State.RowCounter, std::move(row));
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
