#include <cstdint>

#include "Exceptions.h"
#include "TextOps.h"

namespace platform {

namespace {

[[noreturn]] void RaiseNotAnInteger(const std::string& s) {
  throw EConvertError("'" + s + "' は整数ではありません");
}

// The value of every byte as a hexadecimal digit, -1 for a byte that is none: one lookup
// per digit, for the many fields that the analysis converts.
struct HexDigitValues {
  int8_t value[256];
  constexpr HexDigitValues() : value() {
    for (int c = 0; c < 256; ++c) {
      value[c] = c >= '0' && c <= '9'   ? static_cast<int8_t>(c - '0')
                 : c >= 'A' && c <= 'F' ? static_cast<int8_t>(c - 'A' + 10)
                 : c >= 'a' && c <= 'f' ? static_cast<int8_t>(c - 'a' + 10)
                                        : static_cast<int8_t>(-1);
    }
  }
};
constexpr HexDigitValues kHexDigitValues;

int HexDigitValue(char c) {
  return kHexDigitValues.value[static_cast<unsigned char>(c)];
}

}  // namespace

int32_t StrToInt(const std::string& S) {
  // The analysis's fields, "0x" and one to eight digits, are read without the general
  // checks; anything else, a field with a character that is no digit included, takes the
  // general path, which gives the same value or raises.
  if (S.size() > 2 && S.size() <= 10 && S[0] == '0' && (S[1] == 'x' || S[1] == 'X')) {
    uint32_t value = 0;
    int digits = 0;  // OR of the digit values: negative when one was no digit
    for (size_t i = 2; i < S.size(); ++i) {
      const int digit = HexDigitValue(S[i]);
      digits |= digit;
      value = (value << 4) | static_cast<uint32_t>(digit & 0x0F);
    }
    if (digits >= 0) return static_cast<int32_t>(value);
  }

  size_t i = 0;
  while (i < S.size() && S[i] == ' ') ++i;
  bool negative = false;
  if (i < S.size() && (S[i] == '+' || S[i] == '-')) {
    negative = S[i] == '-';
    ++i;
  }

  bool hex = false;
  if (i < S.size() && (S[i] == '$' || S[i] == 'x' || S[i] == 'X')) {
    hex = true;
    i += 1;
  } else if (i + 1 < S.size() && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == S.size()) RaiseNotAnInteger(S);

  if (hex) {
    uint32_t value = 0;
    for (; i < S.size(); ++i) {
      const int digit = HexDigitValue(S[i]);
      if (digit < 0 || value > 0x0FFFFFFFu) RaiseNotAnInteger(S);
      value = (value << 4) | static_cast<uint32_t>(digit);
    }
    // The bit pattern is the number: from 0x80000000 up it is negative.
    return static_cast<int32_t>(value);
  }

  const uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
  uint32_t magnitude = 0;
  for (; i < S.size(); ++i) {
    if (S[i] < '0' || S[i] > '9') RaiseNotAnInteger(S);
    const uint32_t digit = static_cast<uint32_t>(S[i] - '0');
    if (magnitude > (limit - digit) / 10) RaiseNotAnInteger(S);
    magnitude = magnitude * 10 + digit;
  }
  if (!negative) return static_cast<int32_t>(magnitude);
  return magnitude == 0x80000000u ? INT32_MIN : -static_cast<int32_t>(magnitude);
}

}  // namespace platform
