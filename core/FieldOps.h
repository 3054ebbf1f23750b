#pragma once
// Field operations on the HexImage: the small steps from which the report is built.
// None of them writes to the report.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "AnalysisState.h"

// "0x" and the two-character pairs of Text from the last to the first, so a little-endian
// field reads most significant first. An odd first character is dropped: "ABC" -> "0xBC".
std::string ReverseByteOrder(const std::string& Text);

// The file offset Position / 2 as at least five uppercase hex digits, "H  : ", then Text.
std::string OffsetPrefixed(int32_t Position, const std::string& Text);

// The entry table that SplitDirectoryEntry fills: that of IFD0, of IFD1 or of the SubIFD.
enum class TableKind { Ifd0, Ifd1, SubIfd };

// Splits a 24-character directory entry into row RowCounter of the table of Kind, moves
// RowCounter on, records Position in ExifPointerPos for an IFD0 entry tagged 0x8769, and
// returns "Tag Type Count Value " (one space after each field). Raises nothing.
std::string SplitDirectoryEntry(AnalysisState& State, const std::string& Entry, TableKind Kind,
                                int32_t Position);

// The ASCII value of Row: at most Count bytes (0 to 256) from LoadBuffer at file offset
// Value + TiffBase, up to the first zero byte or the end of LoadBuffer, copied through
// TextBuffer. Converts Value, then Count (EConvertError when either fails).
std::string AsciiValueText(AnalysisState& State, const EntryRow& Row);

// The report line of an ASCII tag of IFD0: Tag, three spaces, the value's 2 x Count hex
// digits, three spaces, the value's text.
std::string ReadAsciiValue(AnalysisState& State, const std::string& HexImage, int32_t RowIndex);

// The steps of ReverseByteOrder, OffsetPrefixed and SplitDirectoryEntry, writing their
// text to Out instead of returning a new string, so that a listing line is built in one
// piece without copies of the entry. The Write steps return the number of characters
// written, at most their kMax constant.
void AppendReversedBytes(std::string_view Text, std::string& Out);
constexpr size_t kMaxOffsetPrefix = 13;
size_t WriteOffsetPrefix(int32_t Position, char* Out);
constexpr size_t kMaxSplitEntry = 36;
size_t WriteSplitEntry(AnalysisState& State, std::string_view Entry, TableKind Kind,
                       int32_t Position, char* Out);

// The pieces one after another, in one allocation: a report line made of several parts.
std::string Joined(std::initializer_list<std::string_view> Pieces);
// The interpretation line of a rational: Tag, both numbers as read ("0x" and their digits),
// Label, then numerator/denominator in decimal; nothing is divided. Converts the
// denominator, then the numerator (EConvertError when either fails).
std::string RationalLine(std::string_view Tag, const std::string& Numerator,
                         const std::string& Denominator, const char* Label);

// The first SHORT of a value field: "0x" and the last four characters of Value, converted
// (EConvertError when they do not convert).
int32_t LowShort(const std::string& Value);
