#include "AnalysisState.h"

#include <cassert>

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

std::string HexImage(const AnalysisState& State) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string image(kHexImageLength, '0');
  for (size_t i = 0; i < State.LoadBuffer.size(); ++i) {
    image[2 * i] = kDigits[State.LoadBuffer[i] >> 4];
    image[2 * i + 1] = kDigits[State.LoadBuffer[i] & 0x0F];
  }
  return image;
}
