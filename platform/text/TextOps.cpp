#include "TextOps.h"

#include "ShiftJis.h"

namespace platform {

std::string Copy(const std::string& S, int32_t Index, int32_t Count) {
  return std::string(CopyView(S, Index, Count));
}

std::string_view CopyView(std::string_view S, int32_t Index, int32_t Count) {
  const int64_t length = static_cast<int64_t>(S.size());
  const int64_t start = Index < 1 ? 1 : Index;
  if (Count < 1 || start > length) return std::string_view();
  const int64_t available = length - start + 1;
  const int64_t taken = Count < available ? Count : available;
  return S.substr(static_cast<size_t>(start - 1), static_cast<size_t>(taken));
}

int32_t Pos(const std::string& Substr, const std::string& S) {
  if (Substr.empty()) return 0;
  const size_t at = S.find(Substr);
  return at == std::string::npos ? 0 : static_cast<int32_t>(at + 1);
}

std::string IntToHex(int32_t Value, int32_t Digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  uint32_t pattern = static_cast<uint32_t>(Value);
  char digits[8];
  int count = 0;
  do {
    digits[7 - count++] = kDigits[pattern & 0xF];
    pattern >>= 4;
  } while (pattern != 0);
  std::string text;
  if (Digits > count) text.assign(static_cast<size_t>(Digits - count), '0');
  text.append(digits + 8 - count, static_cast<size_t>(count));
  return text;
}

std::string IntToStr(int32_t Value) {
  return std::to_string(Value);
}

std::string UpperCase(const std::string& S) {
  std::string upper = S;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string ExtractFileExt(const std::string& FileName) {
  size_t dot = std::string::npos;
  for (size_t i = 0; i < FileName.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(FileName[i]);
    if (IsSjisLeadByte(c) && i + 1 < FileName.size() &&
        IsSjisTrailByte(static_cast<unsigned char>(FileName[i + 1]))) {
      ++i;  // a double-byte character: its trail byte is never a separator
    } else if (c == '.') {
      dot = i;
    } else if (c == '\\' || c == '/' || c == ':') {
      dot = std::string::npos;
    }
  }
  return dot == std::string::npos ? std::string() : FileName.substr(dot);
}

}  // namespace platform
