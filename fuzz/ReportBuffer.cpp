#include "ReportBuffer.h"

void ReportBuffer::Clear() {
  text_.clear();
  ends_.clear();
}

void ReportBuffer::Add(std::string_view Line) {
  text_ += Line;
  ends_.push_back(text_.size());
}

std::string ReportBuffer::Strings(int Index) const {
  if (Index < 0 || Index >= Count()) return std::string();
  const size_t begin = Index == 0 ? 0 : ends_[static_cast<size_t>(Index) - 1];
  return text_.substr(begin, ends_[static_cast<size_t>(Index)] - begin);
}

std::string ReportBuffer::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) text += Strings(i) + "\r\n";
  return text;
}

bool ReportBuffer::operator==(const ReportBuffer& other) const {
  return text_ == other.text_ && ends_ == other.ends_;
}
