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

void Utf8Lines::Append(std::string_view Sjis, std::string& Out) {
  size_t at = 0;
  while (at < Sjis.size()) {
    size_t high = at;
    while (high < Sjis.size() && static_cast<unsigned char>(Sjis[high]) < 0x80) ++high;
    Out.append(Sjis.data() + at, high - at);
    if (high == Sjis.size()) break;
    size_t end = high + 1;
    while (end < Sjis.size() && static_cast<unsigned char>(Sjis[end]) >= 0x40) ++end;
    AppendRun(Sjis.substr(high, end - high), Out);
    at = end;
  }
}

void Utf8Lines::AppendRun(std::string_view Run, std::string& Out) {
  const auto found = runs_.find(Run);
  if (found != runs_.end()) {
    Out += found->second;
    return;
  }
  const size_t start = Out.size();
  AppendSjisAsUtf8(Run, Out);
  if (runs_.size() < kMaxKept) {
    keys_.emplace_back(Run);
    runs_.emplace(keys_.back(), Out.substr(start));
  }
}

void PrintedReport::Add(std::string_view Line) {
  // ASCII lines, most of a report, read the same in both forms. Each other line is
  // converted on its own, so that a value's own CR and LF bytes stay inside its line.
  if (sjis_ || IsAscii(Line)) {
    out_.append(Line.data(), Line.size());
  } else {
    utf8_.Append(Line, out_);
  }
  ends_.push_back(out_.size());
  if (sjis_) out_.push_back('\r');
  out_.push_back('\n');
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
