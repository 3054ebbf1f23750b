#pragma once
// Shift-JIS (code page 932) helpers: byte classes and conversion for display.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// First byte of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
inline bool IsSjisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Second byte of a double-byte character: 0x40-0x7E and 0x80-0xFC.
inline bool IsSjisTrailByte(unsigned char c) {
  return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// True when every byte is below 0x80: such a text reads the same in Shift-JIS and UTF-8.
bool IsAscii(std::string_view Text);

// Shift-JIS to UTF-8 for display. A byte that is no valid character becomes U+FFFD, so
// any bytes read from a file can be shown.
std::string SjisToUtf8(const std::string& sjis);
// The same conversion appended to Out, without a string of its own.
void AppendSjisAsUtf8(std::string_view Sjis, std::string& Out);

// UTF-8 to Shift-JIS; a character without a Shift-JIS form becomes "?".
std::string Utf8ToSjis(const std::string& utf8);

}  // namespace platform
