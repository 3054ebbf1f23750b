// The text operations against their rules. Each operation's result is compared with a
// small independent decoder of the same rule written here, or with a property that the
// rule promises (round trips, lengths, byte classes).

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "Exceptions.h"
#include "FuzzSupport.h"
#include "ShiftJis.h"
#include "TextOps.h"

using platform::Copy;
using platform::EConvertError;
using platform::ExtractFileExt;
using platform::IntToHex;
using platform::IntToStr;
using platform::IsSjisLeadByte;
using platform::IsSjisTrailByte;
using platform::Pos;
using platform::SjisToUtf8;
using platform::StrToInt;
using platform::UpperCase;
using platform::Utf8ToSjis;

namespace {

// Text to integer by the rules, with 64-bit room so that overflow is a plain comparison.
std::optional<int32_t> ReferenceStrToInt(const std::string& s) {
  size_t i = s.find_first_not_of(' ');
  if (i == std::string::npos) return std::nullopt;
  bool minus = false;
  if (s[i] == '+' || s[i] == '-') minus = s[i++] == '-';
  std::string rest = s.substr(i);
  int base = 10;
  for (const char* prefix : {"0x", "0X", "$", "x", "X"}) {
    if (rest.rfind(prefix, 0) == 0) {
      rest.erase(0, std::strlen(prefix));
      base = 16;
      break;
    }
  }
  if (rest.empty()) return std::nullopt;
  const std::string digits = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
  if (rest.find_first_not_of(digits) != std::string::npos) return std::nullopt;
  if (base == 16) {
    const size_t first = rest.find_first_not_of('0');
    if (first != std::string::npos && rest.size() - first > 8) return std::nullopt;
    return static_cast<int32_t>(
        std::stoul(rest.substr(first == std::string::npos ? 0 : first), nullptr, 16));
  }
  const size_t first = rest.find_first_not_of('0');
  if (first != std::string::npos && rest.size() - first > 10) return std::nullopt;
  const long long magnitude = std::stoll(rest);
  const long long value = minus ? -magnitude : magnitude;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

void CheckStrToInt(const std::string& s) {
  const std::optional<int32_t> expected = ReferenceStrToInt(s);
  try {
    const int32_t got = StrToInt(s);
    if (!expected || *expected != got) FuzzFail("StrToInt converts a text it should not");
  } catch (const EConvertError& e) {
    if (expected) FuzzFail("StrToInt refuses a number");
    if (e.Message != "'" + s + "' は整数ではありません") FuzzFail("StrToInt message");
  }
}

void CheckNumberTexts(int32_t value, int32_t digits) {
  const std::string hex = IntToHex(value, digits);
  char plain[16];
  std::snprintf(plain, sizeof plain, "%X", static_cast<uint32_t>(value));
  const size_t width = digits > 0 ? static_cast<size_t>(digits) : 0;
  const std::string padded =
      std::string(width > std::strlen(plain) ? width - std::strlen(plain) : 0, '0') + plain;
  if (hex != padded) FuzzFail("IntToHex");
  if (StrToInt("0x" + IntToHex(value, 8)) != value) FuzzFail("IntToHex round trip");

  std::snprintf(plain, sizeof plain, "%d", value);
  if (IntToStr(value) != plain) FuzzFail("IntToStr");
  if (StrToInt(IntToStr(value)) != value) FuzzFail("IntToStr round trip");
}

void CheckCopyAndPos(const std::string& s, int32_t index, int32_t count, const std::string& sub) {
  std::string piece;
  for (int64_t at = index < 1 ? 1 : index; count > 0 && at <= static_cast<int64_t>(s.size()) &&
                                           static_cast<int64_t>(piece.size()) < count;
       ++at) {
    piece += s[static_cast<size_t>(at - 1)];
  }
  if (Copy(s, index, count) != piece) FuzzFail("Copy");

  int32_t first = 0;
  for (size_t at = 0; !sub.empty() && at + sub.size() <= s.size() && first == 0; ++at) {
    if (s.compare(at, sub.size(), sub) == 0) first = static_cast<int32_t>(at + 1);
  }
  if (Pos(sub, s) != first) FuzzFail("Pos");
}

void CheckUpperCase(const std::string& s) {
  const std::string upper = UpperCase(s);
  if (upper.size() != s.size()) FuzzFail("UpperCase length");
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    const char want = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    if (upper[i] != want) FuzzFail("UpperCase byte");
  }
}

// The extension by a right-to-left reading: first find where each double-byte character
// starts (left to right, the only way Shift-JIS can be read), then take the last "." that
// no separator follows.
void CheckExtractFileExt(const std::string& name) {
  std::string isTrail(name.size(), 0);
  for (size_t i = 0; i + 1 < name.size(); ++i) {
    if (IsSjisLeadByte(static_cast<unsigned char>(name[i])) &&
        IsSjisTrailByte(static_cast<unsigned char>(name[i + 1]))) {
      isTrail[++i] = 1;
    }
  }
  std::string expected;
  for (size_t i = name.size(); i-- > 0;) {
    if (isTrail[i]) continue;
    const char c = name[i];
    if (c == '\\' || c == '/' || c == ':') break;
    if (c == '.') {
      expected = name.substr(i);
      break;
    }
  }
  if (ExtractFileExt(name) != expected) FuzzFail("ExtractFileExt");
}

// UTF-8 that a display can take: well-formed sequences only.
bool IsWellFormedUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    }
    i += n;
  }
  return true;
}

int32_t Int32At(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 |
                              static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

// Input: 12 bytes of numbers (value, index, count), one byte that splits the rest into a
// searched text and the text under test.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 13) return 0;
  const int32_t value = Int32At(data);
  const int32_t index = Int32At(data + 4);
  const int32_t count = Int32At(data + 8);
  const std::string rest(reinterpret_cast<const char*>(data + 13), size - 13);
  const size_t split = rest.empty() ? 0 : data[12] % (rest.size() + 1);
  const std::string sub = rest.substr(0, split % 5);
  const std::string text = rest.substr(split % 5);

  CheckStrToInt(text);
  CheckNumberTexts(value, index % 64);  // wider minimums only make long runs of zeros
  CheckCopyAndPos(text, index, count, sub);
  CheckUpperCase(text);
  CheckExtractFileExt(text);
  if (!IsWellFormedUtf8(SjisToUtf8(text))) FuzzFail("SjisToUtf8 gives malformed UTF-8");
  Utf8ToSjis(text);  // any bytes, no crash
  return 0;
}
