#pragma once
// Text operations on counted Shift-JIS byte strings. Lengths and positions count bytes;
// positions are 1-based, as everywhere in the analysis.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The piece of S from Index with at most Count bytes. Empty when Index lies beyond the end
// or Count < 1; an Index below 1 counts as 1 without shortening Count.
std::string Copy(const std::string& S, int32_t Index, int32_t Count);
// The same piece as Copy, as a view into S: no copy is made.
std::string_view CopyView(std::string_view S, int32_t Index, int32_t Count);

// First position of Substr in S, tried at every byte position; 0 when absent or empty.
int32_t Pos(const std::string& Substr, const std::string& S);

// Text to a signed 32-bit number. Leading spaces, one optional sign, then decimal digits,
// or hexadecimal digits after "$", "x", "X", "0x" or "0X" (at most 32 bits; values from
// 0x80000000 up are negative; the sign has no effect on them). Anything else raises
// EConvertError "'S' は整数ではありません".
int32_t StrToInt(const std::string& S);

// Uppercase hexadecimal digits, zero-filled to at least Digits; a negative Value gives the
// digits of its 32-bit two's-complement pattern.
std::string IntToHex(int32_t Value, int32_t Digits);

// Decimal digits, with a leading "-" when negative.
std::string IntToStr(int32_t Value);

// a-z become A-Z; every other byte, Shift-JIS double-byte characters included, stays.
std::string UpperCase(const std::string& S);

// The text from the last "." to the end, or empty when a separator ("\", "/" or ":")
// follows that ".". A "\" byte that is the trail byte of a Shift-JIS double-byte
// character is no separator.
std::string ExtractFileExt(const std::string& FileName);

}  // namespace platform
