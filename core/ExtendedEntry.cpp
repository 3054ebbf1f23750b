#include "ExtendedEntry.h"

#include "FieldOps.h"

std::string OffsetLine(int64_t Offset, const std::string& Text) {
  std::string line;
  line.reserve(kMaxOffsetPrefix + Text.size());
  AppendOffsetPrefix(Offset, line);
  line += Text;
  return line;
}

void AppendOffsetPrefix(int64_t Offset, std::string& Out) {
  // The listing's own prefix wherever a HexImage position can stand for the offset.
  if (Offset >= 0 && Offset < (int64_t{1} << 30)) {
    char prefix[kMaxOffsetPrefix];
    Out.append(prefix, WriteOffsetPrefix(static_cast<int32_t>(2 * Offset + 1), prefix));
    return;
  }
  static const char digits[] = "0123456789ABCDEF";
  std::string hex;
  for (uint64_t rest = static_cast<uint64_t>(Offset); rest != 0 || hex.size() < 5; rest >>= 4) {
    hex.insert(hex.begin(), digits[rest & 0x0F]);
  }
  Out += hex;
  Out += "H  : ";
}

uint32_t FieldNumber(const std::string& Field) {
  if (Field.size() != 6 && Field.size() != 10) return 0;
  uint32_t number = 0;
  for (size_t i = 2; i < Field.size(); ++i) {
    const char c = Field[i];
    number = (number << 4) | static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'A' + 10);
  }
  return number;
}

int64_t ValueOffset(const ExtendedEntry& Entry, int64_t Base, uint32_t Value, int64_t Bytes) {
  if (Bytes >= 0 && Bytes <= 4) return Entry.At + 8;
  return Base + Value;
}
