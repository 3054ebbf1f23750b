#include "ShiftJis.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace {

// Converts with glibc's iconv; Substitute stands in for each byte that does not convert.
std::string Convert(const char* to, const char* from, const std::string& in,
                    const std::string& Substitute) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: CP932 missing");
  std::string out;
  out.reserve(in.size() * 3 / 2 + 4);
  char buffer[1024];
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      // EILSEQ or EINVAL: skip one byte (a UTF-8 input skips its whole character).
      out += Substitute;
      size_t skip = 1;
      if (std::string(from) == "UTF-8") {
        while (skip < srcLeft && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80) ++skip;
      }
      src += skip;
      srcLeft -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string SjisToUtf8(const std::string& sjis) {
  return Convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD");
}

std::string Utf8ToSjis(const std::string& utf8) { return Convert("CP932", "UTF-8", utf8, "?"); }
