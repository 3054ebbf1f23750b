#include "Dialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "DisplayText.h"
#include "Printers.h"

std::function<bool()> TPrintDialog::ExecuteHook;
std::function<bool(std::string&)> TSaveDialog::ExecuteHook;

TPrintDialog::TPrintDialog(QWidget* Owner) : owner_(Owner) {}

bool TPrintDialog::Execute() {
  if (ExecuteHook) return ExecuteHook();
  QPrintDialog dialog(&Printer()->Device(), owner_);
  // No page ranges or selection: the whole report is printed. Printing to a file stays,
  // as on Linux it is the way to a PDF when no printer is set up.
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  return dialog.exec() == QDialog::Accepted;
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
