#include "PageOrder.h"

#include <algorithm>
#include <numeric>
#include <string>

using platform::TStrings;

namespace {

struct PlacedText {
  int X;
  int Y;
  std::string Text;
};
using Page = std::vector<PlacedText>;

// Lays the document out with Target's measures and font but keeps its pages instead of
// drawing them, so that they can be sent in any order and as often as asked.
class PageRecorder : public PrintSurface {
 public:
  explicit PageRecorder(PrintSurface& Target) : target_(Target) {}

  void BeginDoc() override { pages_.assign(1, Page()); }
  void NewPage() override { pages_.emplace_back(); }
  void EndDoc() override {}
  void AbortDoc() override {}
  int PageWidth() override { return target_.PageWidth(); }
  int PageHeight() override { return target_.PageHeight(); }
  void SetFontName(const std::string& Name) override { target_.SetFontName(Name); }
  void SetFontSize(int Points) override { target_.SetFontSize(Points); }
  int FontHeight() override { return target_.FontHeight(); }
  int TextWidth(const std::string& Text) override { return target_.TextWidth(Text); }
  void TextOut(int X, int Y, const std::string& Text) override {
    pages_.back().push_back({X, Y, Text});
  }

  const std::vector<Page>& Pages() const { return pages_; }

 private:
  PrintSurface& target_;
  std::vector<Page> pages_;
};

}  // namespace

std::vector<int> PageSequence(int PageCount, const PageOrder& Order) {
  std::vector<int> pages(static_cast<size_t>(std::max(PageCount, 0)));
  std::iota(pages.begin(), pages.end(), 0);
  if (Order.LastPageFirst) std::reverse(pages.begin(), pages.end());
  const int copies = std::max(Order.Copies, 1);
  std::vector<int> sequence;
  sequence.reserve(pages.size() * static_cast<size_t>(copies));
  if (Order.Collate) {
    for (int copy = 0; copy < copies; ++copy)
      sequence.insert(sequence.end(), pages.begin(), pages.end());
  } else {
    for (int page : pages) sequence.insert(sequence.end(), static_cast<size_t>(copies), page);
  }
  return sequence;
}

void PrintLines(const TStrings& Report, PrintSurface& Surface, const PageOrder& Order) {
  if (Order.Copies <= 1 && !Order.LastPageFirst) {
    PrintLines(Report, Surface);
    return;
  }
  Surface.BeginDoc();
  try {
    PageRecorder recorder(Surface);
    PrintLines(Report, recorder);
    const std::vector<Page>& pages = recorder.Pages();
    bool first = true;
    for (int index : PageSequence(static_cast<int>(pages.size()), Order)) {
      if (!first) Surface.NewPage();
      first = false;
      for (const PlacedText& text : pages[static_cast<size_t>(index)]) {
        Surface.TextOut(text.X, text.Y, text.Text);
      }
    }
    Surface.EndDoc();
  } catch (...) {
    Surface.AbortDoc();
    throw;
  }
}
