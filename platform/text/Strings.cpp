#include "Strings.h"

namespace platform {

std::string TStringList::Strings(int Index) const {
  if (Index < 0 || Index >= Count()) return std::string();
  return lines_[static_cast<size_t>(Index)];
}

std::string TStringList::Text() const {
  return JoinWithCrLf(lines_);
}

std::string JoinWithCrLf(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace platform
