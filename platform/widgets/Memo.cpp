#include "Memo.h"

#include <QFontMetricsF>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <set>

#include "Dispatch.h"
#include "DisplayText.h"
#include "Fonts.h"
#include "ShiftJis.h"

namespace platform {

namespace {

std::set<TMemoLines*>& PendingMemos() {
  static std::set<TMemoLines*> pending;
  return pending;
}

// The advance of the printable ASCII characters in Font when all have the same one, as in
// the memo's fonts; 0 when they differ.
double UniformAsciiAdvance(const QFont& Font) {
  const QFontMetricsF metrics(Font);
  const double advance = metrics.horizontalAdvance(QLatin1Char(' '));
  for (char c = ' '; c < 0x7F; ++c) {
    if (metrics.horizontalAdvance(QLatin1Char(c)) != advance) return 0;
  }
  return advance;
}

bool IsPrintableAscii(const std::string& Line) {
  return std::all_of(Line.begin(), Line.end(), [](char c) { return c >= ' ' && c < 0x7F; });
}

}  // namespace

TMemoLines::TMemoLines(TMemo& Memo) : memo_(Memo) {
  SetAfterCommandHook(&TMemoLines::UpdateAll);
}

TMemoLines::~TMemoLines() {
  PendingMemos().erase(this);
}

void TMemoLines::Clear() {
  lines_.clear();
  if (shownLines_ > 0) widgetStale_ = true;
  shownLines_ = 0;
  ++generation_;
  MarkPending();
}

void TMemoLines::Add(std::string_view Line) {
  lines_.emplace_back(Line);
  ++generation_;
  MarkPending();
}

void TMemoLines::MarkPending() {
  PendingMemos().insert(this);
}

std::string TMemoLines::Text() const {
  return JoinWithCrLf(lines_);
}

void TMemoLines::Update() {
  PendingMemos().erase(this);
  QPlainTextEdit* editor = memo_.Editor();
  if (!widgetStale_ && shownLines_ == lines_.size()) return;
  const bool replace = widgetStale_ || shownLines_ == 0;
  QString batch;
  size_t units = 0;
  for (size_t i = shownLines_; i < lines_.size(); ++i) units += lines_[i].size() + 1;
  batch.reserve(static_cast<qsizetype>(units));
  for (size_t i = shownLines_; i < lines_.size(); ++i) {
    if (i > shownLines_) batch += QLatin1Char('\n');
    AppendSjisLineForDisplay(batch, lines_[i]);
  }
  if (replace) {
    editor->setPlainText(batch);
  } else {
    editor->appendPlainText(batch);
  }
  shownLines_ = lines_.size();
  widgetStale_ = false;
}

void TMemoLines::UpdateAll() {
  // Updating removes the memo from the set, so take a copy first.
  const std::set<TMemoLines*> pending = PendingMemos();
  for (TMemoLines* lines : pending) lines->Update();
}

int TMemoLines::Count() const {
  return static_cast<int>(Rows().size());
}

std::string TMemoLines::Strings(int Index) const {
  const std::vector<Row>& rows = Rows();
  if (Index < 0 || static_cast<size_t>(Index) >= rows.size()) return std::string();
  const Row& row = rows[static_cast<size_t>(Index)];
  return lines_[static_cast<size_t>(row.Line)].substr(static_cast<size_t>(row.Start),
                                                      static_cast<size_t>(row.Length));
}

// The rows come from the widget's own layout of each line, so they are the rows on screen.
// The widget lays out only what it shows; every line is laid out here.
const std::vector<TMemoLines::Row>& TMemoLines::Rows() const {
  const_cast<TMemoLines*>(this)->Update();
  QTextDocument* document = memo_.Editor()->document();
  auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document->documentLayout());
  // The rows change with the width lines wrap at, which is the viewport's.
  const double width = memo_.Editor()->viewport()->width();
  if (rowsGeneration_ == generation_ && rowsWidth_ == width) return rows_;

  // Laying out every line was most of the time of a long report. A line of printable ASCII
  // characters of one advance is its length times that advance wide; one that is clearly
  // narrower than the width lines wrap at, margins taken off, is one row without a layout.
  const double advance = UniformAsciiAdvance(document->defaultFont());
  const double roomy = width - 2 * document->documentMargin() - 2 * advance;

  rows_.clear();
  rows_.reserve(lines_.size());
  std::vector<int> byteOfUnit;
  QTextBlock block = document->begin();
  for (size_t i = 0; i < lines_.size(); ++i, block = block.next()) {
    const std::string& line = lines_[i];
    const auto lineIndex = static_cast<int32_t>(i);
    const auto lineLength = static_cast<int32_t>(line.size());
    if (advance > 0 && lineLength * advance < roomy && IsPrintableAscii(line)) {
      rows_.push_back({lineIndex, 0, lineLength});
      continue;
    }
    QTextLayout* text = block.isValid() ? block.layout() : nullptr;
    if (text != nullptr && layout != nullptr) layout->blockBoundingRect(block);
    const int count = text != nullptr ? text->lineCount() : 0;
    if (count <= 1) {
      rows_.push_back({lineIndex, 0, lineLength});
      continue;
    }
    const bool ascii = IsAscii(line);
    if (!ascii) SjisLineForDisplay(line, &byteOfUnit);
    auto byteAt = [&](int unit) {
      if (ascii) return std::min(unit, static_cast<int>(lineLength));
      return byteOfUnit[static_cast<size_t>(std::clamp<int>(unit, 0, byteOfUnit.size() - 1))];
    };
    int start = 0;
    for (int r = 0; r < count; ++r) {
      const int end = r + 1 < count ? byteAt(text->lineAt(r + 1).textStart()) : lineLength;
      rows_.push_back({lineIndex, start, end - start});
      start = end;
    }
  }
  rowsGeneration_ = generation_;
  rowsWidth_ = width;
  return rows_;
}

TMemo::TMemo(TWinControl* Parent)
    : TControl(Parent, new QPlainTextEdit),
      Lines(new TMemoLines(*this)),
      editor_(static_cast<QPlainTextEdit*>(Widget())) {
  editor_->setReadOnly(true);
  editor_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  editor_->setUndoRedoEnabled(false);
  // Word wrap at the control's width, breaking at spaces where possible; a vertical
  // scroll bar only, always there, so that it never changes the width lines wrap at.
  editor_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  editor_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  editor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

TMemo::~TMemo() {
  delete Lines;
}

void TMemo::SetFont(const std::string& Name, int Height) {
  const QFont font = DesignFont(Name, Height);
  editor_->setFont(font);
  // Tab stops every eight characters.
  editor_->setTabStopDistance(8 * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
}

}  // namespace platform
