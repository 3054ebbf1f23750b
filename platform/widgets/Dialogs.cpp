#include "Dialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "DisplayText.h"
#include "Printers.h"

namespace platform {

std::function<bool()> TPrintDialog::ExecuteHook;
std::function<bool(std::string&)> TSaveDialog::ExecuteHook;

TPrintDialog::TPrintDialog(QWidget* Owner) : owner_(Owner) {}

namespace {

// Qt's print dialog without its group of pages (all, a range, odd or even ones): Qt shows
// that group even when page ranges are switched off, and the report is always printed
// whole. Hidden each time the dialog shows, since showing brings its widgets up to date.
class WholeDocumentPrintDialog : public QPrintDialog {
 public:
  using QPrintDialog::QPrintDialog;
  void setVisible(bool Visible) override {
    QPrintDialog::setVisible(Visible);
    if (!Visible) return;
    if (QWidget* pages = findChild<QWidget*>(QStringLiteral("gbPrintRange"))) pages->hide();
  }
};

}  // namespace

bool TPrintDialog::Execute() {
  QPrinter& device = Printer()->Device();
  device.setCopyCount(Copies);
  device.setCollateCopies(Collate);
  device.setPageOrder(LastPageFirst ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
  bool confirmed;
  if (ExecuteHook) {
    confirmed = ExecuteHook();
  } else {
    WholeDocumentPrintDialog dialog(&device, owner_);
    // No page ranges or selection. Printing to a file stays, as on Linux it is the way to a
    // PDF when no printer is set up.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    confirmed = dialog.exec() == QDialog::Accepted;
  }
  if (confirmed) {
    Copies = device.copyCount();
    Collate = device.collateCopies();
    LastPageFirst = device.pageOrder() == QPrinter::LastPageFirst;
  }
  device.setCopyCount(1);
  return confirmed;
}

TSaveDialog::TSaveDialog(QWidget* Owner) : owner_(Owner) {}

bool TSaveDialog::Execute() {
  if (ExecuteHook) return ExecuteHook(FileName);
  QFileDialog dialog(owner_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!FileName.empty()) dialog.selectFile(FromNativePath(FileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  FileName = ToNativePath(dialog.selectedFiles().first());
  return true;
}

}  // namespace platform
