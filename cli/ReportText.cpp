#include "ReportText.h"

#include <cstring>

#include "ShiftJis.h"

using platform::AppendSjisAsUtf8;
using platform::IsAscii;

void PrintedReport::Start() {
  start_ = out_.size();
  ends_.clear();
}

void PrintedReport::Clear() {
  out_.resize(start_);
  ends_.clear();
}

void PrintedReport::Add(const std::string& Line) {
  // ASCII lines, most of a report, read the same in both forms. Each other line is
  // converted on its own, so that a value's own CR and LF bytes stay inside its line.
  if (sjis_ || IsAscii(Line)) {
    out_ += Line;
  } else {
    AppendSjisAsUtf8(Line, out_);
  }
  ends_.push_back(out_.size());
  if (sjis_) out_ += '\r';
  out_ += '\n';
}

std::string PrintedReport::Strings(int Index) const {
  if (Index < 0 || Index >= Count()) return std::string();
  const size_t end = ends_[static_cast<size_t>(Index)];
  const size_t begin =
      Index == 0 ? start_ : ends_[static_cast<size_t>(Index) - 1] + std::strlen(LineEnd(sjis_));
  return out_.substr(begin, end - begin);
}

std::string PrintedReport::Text() const {
  return out_.substr(start_);
}

const char* LineEnd(bool Sjis) {
  return Sjis ? "\r\n" : "\n";
}

void AppendFileHeader(const std::string& File, bool Sjis, std::string& Out) {
  Out += "==> ";
  Out += File;
  Out += " <==";
  Out += LineEnd(Sjis);
}
