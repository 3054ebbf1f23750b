#include "AnalysisState.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

EntryRow* EntryTable::RowToWrite(int32_t Index) {
  if (Index < 0 || Index >= limit_) return nullptr;
  if (Index >= Size()) rows_.resize(static_cast<size_t>(Index) + 1);
  return &rows_[static_cast<size_t>(Index)];
}

void EntryTable::Store(int32_t Index, EntryRow&& Entry) {
  if (EntryRow* row = RowToWrite(Index)) *row = std::move(Entry);
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

// Writes the two digits of each of the Count bytes at In to Out, high digit first.
void WriteHexDigits(const uint8_t* in, size_t count, char* out) {
  size_t i = 0;
#if defined(__SSE2__)
  // 16 bytes at a time: each nibble n becomes '0' + n, plus 7 from 10 up ('A' = '9' + 8),
  // then the high and low digits are interleaved.
  const __m128i low4 = _mm_set1_epi8(0x0F);
  const auto digits = [](__m128i n) {
    const __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(n, _mm_set1_epi8(9)), _mm_set1_epi8(7));
    return _mm_add_epi8(_mm_add_epi8(n, _mm_set1_epi8('0')), letters);
  };
  for (; i + 16 <= count; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i high = digits(_mm_and_si128(_mm_srli_epi16(bytes, 4), low4));
    const __m128i low = digits(_mm_and_si128(bytes, low4));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), _mm_unpacklo_epi8(high, low));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i + 16), _mm_unpackhi_epi8(high, low));
  }
#endif
  for (; i < count; ++i) std::memcpy(out + 2 * i, kHexPairs.digits + 2 * in[i], 2);
}

}  // namespace

std::string HexImage(const AnalysisState& State) {
  std::string image;
  BuildHexImage(State, image);
  return image;
}

void BuildHexImage(const AnalysisState& State, std::string& Image, int32_t ZeroFrom) {
  const size_t converted = static_cast<size_t>(std::clamp(ZeroFrom, 0, kLoadBufferSize));
  Image.resize(kHexImageLength);
  WriteHexDigits(State.LoadBuffer.data(), converted, Image.data());
  std::memset(Image.data() + 2 * converted, '0', kHexImageLength - 2 * converted);
}
