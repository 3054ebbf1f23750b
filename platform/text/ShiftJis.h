#pragma once
// Shift-JIS (code page 932) helpers: byte classes and conversion for display.

#include <cstdint>
#include <string>
#include <string_view>

// First byte of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
inline bool IsSjisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Second byte of a double-byte character: 0x40-0x7E and 0x80-0xFC.
inline bool IsSjisTrailByte(unsigned char c) {
  return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Every byte below 0x80: the text reads the same in Shift-JIS, UTF-8 and Latin-1.
inline bool IsAscii(std::string_view Text) {
  for (char c : Text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Shift-JIS to UTF-8 for display. A byte that is no valid character becomes U+FFFD, so
// any bytes read from a file can be shown.
std::string SjisToUtf8(const std::string& sjis);

// UTF-8 to Shift-JIS; a character without a Shift-JIS form becomes "?".
std::string Utf8ToSjis(const std::string& utf8);
