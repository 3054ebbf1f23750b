#include "ByteOrderReader.h"

#include <algorithm>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

void AppendHexByte(uint8_t byte, std::string& out) {
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

char* PutHexByte(uint8_t byte, char* out) {
  *out++ = kHexDigits[byte >> 4];
  *out++ = kHexDigits[byte & 0x0F];
  return out;
}

// TIFF data types whose items are one byte (BYTE, ASCII, SBYTE, UNDEFINED) or two
// (SHORT, SSHORT).
bool IsByteType(uint32_t type) {
  return type == 1 || type == 2 || type == 6 || type == 7;
}
bool IsShortType(uint32_t type) {
  return type == 3 || type == 8;
}

}  // namespace

ByteSpan ByteOrderReader::Bytes(int64_t Offset, int64_t Count) const {
  const int64_t size = Size();
  if (Offset < 0 || Offset >= size || Count <= 0) return {};
  const int64_t available = std::min(Count, size - Offset);
  return {data_.data() + Offset, static_cast<uint32_t>(available)};
}

std::string ByteOrderReader::StoredHex(int64_t Offset, int64_t Count) const {
  const ByteSpan span = Bytes(Offset, Count);
  std::string out(2 * size_t{span.Size}, '0');
  char* put = out.data();
  for (uint32_t i = 0; i < span.Size; ++i) put = PutHexByte(span.Data[i], put);
  return out;
}

std::string ByteOrderReader::NumberText(int64_t Offset, int64_t Width) const {
  const ByteSpan span = Bytes(Offset, Width);
  std::string out(2 + 2 * size_t{span.Size}, 'x');
  out[0] = '0';
  char* put = out.data() + 2;
  for (uint32_t i = 0; i < span.Size; ++i) {
    const uint32_t at = order_ == ByteOrder::Intel ? span.Size - 1 - i : i;
    put = PutHexByte(span.Data[at], put);
  }
  return out;
}

std::string ByteOrderReader::ValueText(int64_t Offset, uint32_t Type, uint32_t Count) const {
  const ByteSpan span = Bytes(Offset, 4);
  const bool bytes = IsByteType(Type) && Count <= 4;
  const bool shorts = IsShortType(Type) && Count <= 2;
  if (order_ == ByteOrder::Intel || span.Size < 4 || !(bytes || shorts)) {
    return NumberText(Offset, 4);
  }
  // Motorola: the items in field order, each in reading order, laid out as Intel would.
  std::string out = "0x";
  if (bytes) {
    for (int i = 3; i >= 0; --i) AppendHexByte(span.Data[i], out);
  } else {
    for (int i : {2, 3, 0, 1}) AppendHexByte(span.Data[i], out);
  }
  return out;
}
