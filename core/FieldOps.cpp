#include "FieldOps.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "Int32.h"
#include "TextOps.h"

using platform::Copy;
using platform::CopyView;
using platform::IntToStr;
using platform::StrToInt;

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
  char prefix[kMaxOffsetPrefix];
  const size_t length = WriteOffsetPrefix(Position, prefix);
  std::string line;
  line.reserve(length + Text.size());
  line.append(prefix, length);
  line += Text;
  return line;
}

size_t WriteOffsetPrefix(int32_t Position, char* Out) {
  // IntToHex(Position / 2, 5) and "H  : ", made without loops or branches and written in
  // one piece: this runs for every line, tens of thousands of times for a large count.
  // The eight digits are made in one 64-bit word, one byte each, the first digit in the
  // lowest byte so that it comes first in memory.
  const uint32_t pattern = static_cast<uint32_t>(Position / 2);
  uint64_t n = pattern;
  n = ((n & 0xFFFF0000u) << 16) | (n & 0x0000FFFFu);
  n = ((n & 0x0000FF000000FF00u) << 8) | (n & 0x000000FF000000FFu);
  n = ((n & 0x00F000F000F000F0u) << 4) | (n & 0x000F000F000F000Fu);
  n = __builtin_bswap64(n);  // the nibbles, most significant first
  // '0' + nibble, plus 7 more for 10 to 15 ('A' = '9' + 8): the 0x06 added makes those
  // nibbles carry into their fifth bit.
  const uint64_t letters = ((n + 0x0606060606060606u) >> 4) & 0x0101010101010101u;
  const uint64_t digits = n + 0x3030303030303030u + 7 * letters;
  // Leading zeros are dropped down to five digits: only the top three digits can go. The
  // count of leading zero digits (0 to 7) picks how many, without a comparison.
  static constexpr size_t kSkip[8] = {0, 1, 2, 3, 3, 3, 3, 3};
  const size_t skip = kSkip[__builtin_clz(pattern | 1) / 4];
  const uint64_t shown = digits >> (8 * skip);
  std::memcpy(Out, &shown, 8);
  std::memcpy(Out + 8 - skip, "H  : ", 5);
  return 8 + 5 - skip;
}

std::string SplitDirectoryEntry(AnalysisState& State, const std::string& Entry, TableKind Kind,
                                int32_t Position) {
  char text[kMaxSplitEntry];
  return std::string(text, WriteSplitEntry(State, Entry, Kind, Position, text));
}

namespace {

// Stores the four fields of an entry's text (field F from Start[F], followed by one space
// up to Start[F + 1]) in row RowCounter of Table, moves RowCounter on, and records Position
// for an IFD0 entry tagged 0x8769.
void StoreFields(AnalysisState& State, EntryTable& Table, TableKind Kind, int32_t Position,
                 const char* Text, const std::array<size_t, 5>& Start) {
  const auto field = [&](int f) {
    return std::string_view(Text + Start[f], Start[f + 1] - 1 - Start[f]);
  };
  if (Kind == TableKind::Ifd0 && field(0) == "0x8769") State.ExifPointerPos = Position;
  if (EntryRow* row = Table.RowToWrite(State.RowCounter)) {
    row->Tag.assign(field(0));
    row->Type.assign(field(1));
    row->Count.assign(field(2));
    row->Value.assign(field(3));
  }
  State.RowCounter = Add32(State.RowCounter, 1);
}

// The texts below are put together in 64-bit words, character I in byte I of the word
// (the byte order of the processors that the program is built for), and stored a word at
// a time: a text written a byte at a time and then copied in wider pieces makes the
// processor wait for the bytes to reach its cache, which was most of an entry's cost.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "texts are built in little-endian words");

// Pair N of an entry's characters as the two low bytes of a word.
inline uint64_t PairAt(const char* Entry, int N) {
  uint16_t pair;
  std::memcpy(&pair, Entry + 2 * N, 2);
  return pair;
}

// The first eight characters (at most) of Text as a word.
constexpr uint64_t Word(std::string_view Text) {
  uint64_t word = 0;
  for (size_t i = 0; i < Text.size() && i < 8; ++i) {
    word |= uint64_t{static_cast<unsigned char>(Text[i])} << (8 * i);
  }
  return word;
}
constexpr uint64_t k0x = Word("0x");
constexpr uint64_t kExifPointerTag = Word("0x8769");

// Sets Field to the Length characters of the words Head and Tail (two more), overwriting
// them in place when Field has that length already.
inline void AssignWords(std::string& Field, size_t Length, uint64_t Head, uint16_t Tail = 0) {
  if (Field.size() != Length) {
    char text[10];
    std::memcpy(text, &Head, 8);
    std::memcpy(text + 8, &Tail, 2);
    Field.assign(text, Length);
  } else if (Length == 6) {
    std::memcpy(Field.data(), &Head, 6);
  } else {
    std::memcpy(Field.data(), &Head, 8);
    std::memcpy(Field.data() + 8, &Tail, 2);
  }
}

// A whole 24-character entry, the usual case: "0x" and the pairs of each field from the
// last to the first, P1 P0 | P3 P2 | P7 P6 P5 P4 | P11 P10 P9 P8.
size_t WriteWholeEntry(AnalysisState& State, EntryTable& Table, const char* e, TableKind Kind,
                       int32_t Position, char* Out) {
  const uint64_t tag = k0x | PairAt(e, 1) << 16 | PairAt(e, 0) << 32;
  const uint64_t type = k0x | PairAt(e, 3) << 16 | PairAt(e, 2) << 32;
  const uint64_t count = k0x | PairAt(e, 7) << 16 | PairAt(e, 6) << 32 | PairAt(e, 5) << 48;
  const auto countTail = static_cast<uint16_t>(PairAt(e, 4));
  const uint64_t value = k0x | PairAt(e, 11) << 16 | PairAt(e, 10) << 32 | PairAt(e, 9) << 48;
  const auto valueTail = static_cast<uint16_t>(PairAt(e, 8));

  // "TTTTTT YYYYYY CCCCCCCCCC VVVVVVVVVV ": each word is stored whole and the next one, or
  // a space, overwrites what lies past its field.
  const uint64_t tagSpaced = tag | Word(" ") << 48;
  const uint64_t typeSpaced = type | Word(" ") << 48;
  const auto countTailSpaced = static_cast<uint32_t>(countTail | Word(" ") << 16);
  std::memcpy(Out, &tagSpaced, 8);
  std::memcpy(Out + 7, &typeSpaced, 8);
  std::memcpy(Out + 14, &count, 8);
  std::memcpy(Out + 22, &countTailSpaced, 4);
  std::memcpy(Out + 25, &value, 8);
  std::memcpy(Out + 33, &valueTail, 2);
  Out[35] = ' ';

  if (Kind == TableKind::Ifd0 && tag == kExifPointerTag) {
    State.ExifPointerPos = Position;
  }
  if (EntryRow* row = Table.RowToWrite(State.RowCounter)) {
    AssignWords(row->Tag, 6, tag);
    AssignWords(row->Type, 6, type);
    AssignWords(row->Count, 10, count, countTail);
    AssignWords(row->Value, 10, value, valueTail);
  }
  State.RowCounter = Add32(State.RowCounter, 1);
  return 36;
}

// An entry cut short by the end of the HexImage: each field "0x" and the pairs that remain.
size_t WriteCutEntry(AnalysisState& State, EntryTable& Table, std::string_view Entry,
                     TableKind Kind, int32_t Position, char* Out) {
  // Characters of Entry (position, length) of Tag, Type, Count and Value.
  static constexpr int32_t kFields[4][2] = {{1, 4}, {5, 4}, {9, 8}, {17, 8}};
  char text[kMaxSplitEntry];
  std::array<size_t, 5> start{};
  size_t length = 0;
  for (int field = 0; field < 4; ++field) {
    const std::string_view piece = CopyView(Entry, kFields[field][0], kFields[field][1]);
    start[field] = length;
    text[length++] = '0';
    text[length++] = 'x';
    // The last pair ends at the last character; an odd first character is left out.
    for (size_t end = piece.size(); end >= 2; end -= 2) {
      text[length++] = piece[end - 2];
      text[length++] = piece[end - 1];
    }
    text[length++] = ' ';
  }
  start[4] = length;
  std::memcpy(Out, text, length);
  StoreFields(State, Table, Kind, Position, text, start);
  return length;
}

}  // namespace

size_t WriteSplitEntry(AnalysisState& State, std::string_view Entry, TableKind Kind,
                       int32_t Position, char* Out) {
  EntryTable& table = Kind == TableKind::Ifd0   ? State.Ifd0Table
                      : Kind == TableKind::Ifd1 ? State.Ifd1Table
                                                : State.SubIfdTable;
  if (Entry.size() >= 24) return WriteWholeEntry(State, table, Entry.data(), Kind, Position, Out);
  if (!Entry.empty()) return WriteCutEntry(State, table, Entry, Kind, Position, Out);
  // An entry wholly past the end of the HexImage, as most of a huge count's entries are.
  std::memcpy(Out, "0x 0x 0x 0x ", 12);
  if (EntryRow* row = table.RowToWrite(State.RowCounter)) *row = {"0x", "0x", "0x", "0x"};
  State.RowCounter = Add32(State.RowCounter, 1);
  return 12;
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
  const std::string_view digits = CopyView(HexImage, Add32(Mul32(2, offset), 1), Mul32(2, count));
  return Joined({row.Tag, "   ", digits, "   ", AsciiValueText(State, row)});
}

std::string Joined(std::initializer_list<std::string_view> Pieces) {
  size_t length = 0;
  for (const std::string_view piece : Pieces) length += piece.size();
  std::string text;
  text.reserve(length);
  for (const std::string_view piece : Pieces) text += piece;
  return text;
}

std::string RationalLine(std::string_view Tag, const std::string& Numerator,
                         const std::string& Denominator, const char* Label) {
  const int32_t d = StrToInt(Denominator);
  const int32_t n = StrToInt(Numerator);
  return Joined({Tag, "  ", Numerator, "  ", Denominator, Label, IntToStr(n), "/", IntToStr(d)});
}

int32_t LowShort(const std::string& Value) {
  const int32_t length = static_cast<int32_t>(Value.size());
  return StrToInt("0x" + Copy(Value, length - 3, 4));
}
