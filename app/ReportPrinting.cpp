#include "ReportPrinting.h"

#include "PrintLayout.h"
#include "Printers.h"

using platform::Printer;
using platform::TFont;
using platform::TPrintDialog;
using platform::TPrinter;
using platform::TStrings;

namespace {

// The print layout's printer operations on a TPrinter and its canvas.
class PrinterSurface : public PrintSurface {
 public:
  explicit PrinterSurface(TPrinter& printer) : printer_(printer) {}

  void BeginDoc() override { printer_.BeginDoc(); }
  void NewPage() override { printer_.NewPage(); }
  void EndDoc() override { printer_.EndDoc(); }
  void AbortDoc() override { printer_.Abort(); }
  int PageWidth() override { return printer_.PageWidth(); }
  int PageHeight() override { return printer_.PageHeight(); }
  void SetFontName(const std::string& Name) override { Font()->SetName(Name); }
  void SetFontSize(int Points) override { Font()->SetSize(Points); }
  int FontHeight() override { return Font()->Height(); }
  int TextWidth(const std::string& Text) override { return printer_.Canvas()->TextWidth(Text); }
  void TextOut(int X, int Y, const std::string& Text) override {
    printer_.Canvas()->TextOut(X, Y, Text);
  }

 private:
  TFont* Font() { return printer_.Canvas()->Font(); }
  TPrinter& printer_;
};

}  // namespace

void PrintReport(TStrings& Report, TPrintDialog& Dialog) {
  if (!Dialog.Execute()) return;
  PrintReportOn(Report, *Printer(), PageOrder{Dialog.Copies, Dialog.Collate, Dialog.LastPageFirst});
}

void PrintReportOn(TStrings& Report, TPrinter& Printer, const PageOrder& Order) {
  PrinterSurface surface(Printer);
  PrintLines(Report, surface, Order);
}
