#include "ShiftJis.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace platform {

namespace {

// One open conversion of glibc's iconv, kept for the whole run: opening one costs far more
// than a line's conversion. The program converts on one thread only.
class Converter {
 public:
  Converter(const char* to, const char* from, std::string substitute, bool utf8Input)
      : cd_(iconv_open(to, from)), substitute_(std::move(substitute)), utf8Input_(utf8Input) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: CP932 missing");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Appends In converted to Out. Substitute stands in for each byte that does not convert
  // (a UTF-8 input skips its whole character).
  void Append(std::string_view in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buffer[1024];
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
      char* dst = buffer;
      size_t dstLeft = sizeof buffer;
      const size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, static_cast<size_t>(dst - buffer));
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
        out += substitute_;
        size_t skip = 1;
        if (utf8Input_) {
          while (skip < srcLeft && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80) ++skip;
        }
        src += skip;
        srcLeft -= skip;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
  }

 private:
  iconv_t cd_;
  std::string substitute_;
  bool utf8Input_;
};

}  // namespace

bool IsAscii(std::string_view Text) {
  // Eight bytes at a time: the high bits of all of them in one test.
  size_t at = 0;
  for (; at + 8 <= Text.size(); at += 8) {
    uint64_t word;
    std::memcpy(&word, Text.data() + at, 8);
    if ((word & 0x8080808080808080u) != 0) return false;
  }
  for (; at < Text.size(); ++at) {
    if (static_cast<unsigned char>(Text[at]) >= 0x80) return false;
  }
  return true;
}

std::string SjisToUtf8(const std::string& sjis) {
  std::string out;
  out.reserve(sjis.size() * 3 / 2 + 4);
  AppendSjisAsUtf8(sjis, out);
  return out;
}

void AppendSjisAsUtf8(std::string_view Sjis, std::string& Out) {
  static Converter convert("UTF-8", "CP932", "\xEF\xBF\xBD", false);
  convert.Append(Sjis, Out);
}

std::string Utf8ToSjis(const std::string& utf8) {
  static Converter convert("CP932", "UTF-8", "?", true);
  std::string out;
  out.reserve(utf8.size() + 4);
  convert.Append(utf8, out);
  return out;
}

}  // namespace platform
