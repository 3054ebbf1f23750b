#pragma once
// A read-only multi-line text control whose line list is a TStrings. Lines wider than the
// control wrap onto further rows; Count and Strings deliver those rows.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Strings.h"

class QPlainTextEdit;

namespace platform {

class TMemo;

// The lines of a TMemo. Appending only records the line; the widget is brought up to date
// in one batch when the command that appended ends or a modal window opens (the
// after-command hook of Dispatch.h), or when rows are asked for. Nobody sees the
// difference, since the window does not repaint while a command runs, and one batch is
// far faster than a widget update per line.
class TMemoLines : public TStrings {
 public:
  explicit TMemoLines(TMemo& Memo);
  ~TMemoLines() override;
  void Clear() override;
  void Add(std::string_view Line) override;
  // Rows as the memo shows them at its current width; a wrapped line gives several.
  int Count() const override;
  std::string Strings(int Index) const override;
  // Every appended line followed by CR LF, unaffected by wrapping.
  std::string Text() const override;

  // The lines as appended.
  const std::vector<std::string>& Appended() const { return lines_; }

  // Brings the widget up to date with the appended lines.
  void Update();
  // Updates every memo that has lines the widget does not show yet.
  static void UpdateAll();

 private:
  struct Row {
    int32_t Line;
    int32_t Start;   // byte offset in the line
    int32_t Length;  // bytes
  };
  void MarkPending();
  const std::vector<Row>& Rows() const;

  TMemo& memo_;
  std::vector<std::string> lines_;
  size_t shownLines_ = 0;     // lines the widget holds
  bool widgetStale_ = false;  // the widget holds lines that are no longer there
  uint64_t generation_ = 0;   // changes with every Clear and Add
  mutable std::vector<Row> rows_;
  mutable uint64_t rowsGeneration_ = ~uint64_t{0};
  mutable double rowsWidth_ = -1;
};

class TMemo : public TControl {
 public:
  explicit TMemo(TWinControl* Parent);
  ~TMemo() override;
  void SetFont(const std::string& Name, int Height);
  void Clear() { Lines->Clear(); }
  std::string Text() const { return Lines->Text(); }
  QPlainTextEdit* Editor() const { return editor_; }

  TMemoLines* const Lines;

 private:
  QPlainTextEdit* editor_;
};

}  // namespace platform
