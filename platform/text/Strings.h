#pragma once
// A list of text lines: the report that the analysis writes and the windows show.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

class TStrings {
 public:
  virtual ~TStrings() = default;
  virtual void Clear() = 0;
  // Appends Line as the new last line; an empty line counts as a line. A view, so that a
  // line built in place or given as a literal is not copied into a string first.
  virtual void Add(std::string_view Line) = 0;
  // Number of lines as the list's viewer shows them, and one of them by index from 0.
  virtual int Count() const = 0;
  virtual std::string Strings(int Index) const = 0;
  // Every appended line followed by CR LF; empty when nothing was appended.
  virtual std::string Text() const = 0;
};

// A plain list: every appended line is one line.
class TStringList : public TStrings {
 public:
  void Clear() override { lines_.clear(); }
  void Add(std::string_view Line) override { lines_.emplace_back(Line); }
  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Strings(int Index) const override;
  std::string Text() const override;
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

// Every line followed by CR LF.
std::string JoinWithCrLf(const std::vector<std::string>& lines);

}  // namespace platform
