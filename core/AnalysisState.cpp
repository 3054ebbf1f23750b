#include "AnalysisState.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
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

#if defined(__x86_64__)
// The digits of the first bytes, 32 at a time, on a processor with AVX2; returns how many
// bytes it converted. Each nibble picks its digit from a table of the sixteen, then the
// high and low digits are interleaved, which AVX2 does within each 16-byte half.
[[gnu::target("avx2")]] size_t WriteHexDigitsAvx2(const uint8_t* in, size_t count, char* out) {
  const __m256i table = _mm256_setr_epi8('0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B',
                                         'C', 'D', 'E', 'F', '0', '1', '2', '3', '4', '5', '6', '7',
                                         '8', '9', 'A', 'B', 'C', 'D', 'E', 'F');
  const __m256i low4 = _mm256_set1_epi8(0x0F);
  size_t i = 0;
  for (; i + 32 <= count; i += 32) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i));
    const __m256i high =
        _mm256_shuffle_epi8(table, _mm256_and_si256(_mm256_srli_epi16(bytes, 4), low4));
    const __m256i low = _mm256_shuffle_epi8(table, _mm256_and_si256(bytes, low4));
    const __m256i first = _mm256_unpacklo_epi8(high, low);   // bytes 0-7 and 16-23
    const __m256i second = _mm256_unpackhi_epi8(high, low);  // bytes 8-15 and 24-31
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 2 * i),
                        _mm256_permute2x128_si256(first, second, 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 2 * i + 32),
                        _mm256_permute2x128_si256(first, second, 0x31));
  }
  return i;
}

bool HasAvx2() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return has;
}
#endif

// Writes the two digits of each of the Count bytes at In to Out, high digit first.
void WriteHexDigits(const uint8_t* in, size_t count, char* out) {
  size_t i = 0;
#if defined(__x86_64__)
  if (HasAvx2()) i = WriteHexDigitsAvx2(in, count, out);
#endif
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
