#include "AnalysisState.h"

#include <cassert>
#include <cstring>

EntryRow& EntryTable::Row(int32_t Index) {
  assert(Index >= 0);
  if (Index >= Size()) rows_.resize(static_cast<size_t>(Index) + 1);
  return rows_[static_cast<size_t>(Index)];
}

const EntryRow& EntryTable::At(int32_t Index) const {
  static const EntryRow kEmpty;
  if (Index < 0 || Index >= Size()) return kEmpty;
  return rows_[static_cast<size_t>(Index)];
}

namespace {

// The two uppercase hexadecimal digits of every byte value, "00" to "FF".
struct HexPairs {
  char digits[512];
  constexpr HexPairs() : digits() {
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (int byte = 0; byte < 256; ++byte) {
      digits[2 * byte] = kDigits[byte >> 4];
      digits[2 * byte + 1] = kDigits[byte & 0x0F];
    }
  }
};
constexpr HexPairs kHexPairs;

}  // namespace

std::string HexImage(const AnalysisState& State) {
  std::string image(kHexImageLength, '0');
  // Zero bytes are already "00", and a loaded buffer ends in thousands of them.
  const uint8_t* in = State.LoadBuffer.data();
  size_t end = State.LoadBuffer.size();
  while (end > 0 && in[end - 1] == 0) --end;
  char* out = image.data();
  for (size_t i = 0; i < end; ++i) std::memcpy(out + 2 * i, kHexPairs.digits + 2 * in[i], 2);
  return image;
}
