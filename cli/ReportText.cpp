#include "ReportText.h"

#include "ShiftJis.h"

namespace {

bool IsAscii(const std::string& line) {
  for (const char c : line) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Every line followed by LF, in UTF-8. ASCII lines, most of a report, read the same in
// Shift-JIS and UTF-8 and are copied; the others are converted together in one call,
// joined by LF: a single byte in Shift-JIS that is never part of a double-byte character,
// so each comes back whole and in order.
std::string Utf8Lines(const std::vector<std::string>& lines) {
  std::string others;
  size_t size = 0;
  for (const std::string& line : lines) {
    size += line.size() + 1;
    if (!IsAscii(line)) {
      others += line;
      others += '\n';
    }
  }
  const std::string converted = SjisToUtf8(others);

  std::string out;
  out.reserve(size + converted.size());
  size_t next = 0;  // start of the next converted line
  for (const std::string& line : lines) {
    if (IsAscii(line)) {
      out += line;
      out += '\n';
      continue;
    }
    const size_t end = converted.find('\n', next);
    if (end == std::string::npos) {  // not expected: convert the line on its own
      out += SjisToUtf8(line) + '\n';
      continue;
    }
    out.append(converted, next, end + 1 - next);
    next = end + 1;
  }
  return out;
}

}  // namespace

const char* LineEnd(bool Sjis) {
  return Sjis ? "\r\n" : "\n";
}

std::string ReportBytes(const TStringList& Report, bool Sjis) {
  return Sjis ? Report.Text() : Utf8Lines(Report.Lines());
}

std::string FileHeader(const std::string& File, bool Sjis) {
  return "==> " + File + " <==" + LineEnd(Sjis);
}
