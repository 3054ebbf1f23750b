#pragma once
// The print and save dialogs. Each shows the platform's dialog modally over its owner;
// tests answer them through ExecuteHook without showing anything.

#include <functional>
#include <string>

class QWidget;

namespace platform {

class TPrintDialog {
 public:
  explicit TPrintDialog(QWidget* Owner);
  // Shows the print dialog for Printer(), without a page range: the whole report is
  // printed. The printer and settings chosen there are the ones that the following
  // printing uses; copies and page order come out in the fields below, which the printing
  // applies itself (the printer is left at one copy, so that none multiplies them again).
  // True when the user confirms.
  bool Execute();

  // The choices of the dialog's copies panel; the dialog starts with them.
  int Copies = 1;
  bool Collate = true;
  bool LastPageFirst = false;

  // When set, Execute returns its answer instead of showing the dialog. A hook may set up
  // Printer() as a user would (for example: print to a PDF file, or two copies).
  static std::function<bool()> ExecuteHook;

 private:
  QWidget* owner_;
};

class TSaveDialog {
 public:
  explicit TSaveDialog(QWidget* Owner);
  // Shows the save dialog, starting with FileName (the name chosen last). No file-type
  // filter, no default extension, no question before an existing file is replaced.
  // True when the user confirms a name, which is then in FileName.
  bool Execute();

  // The chosen file's full path, in native file-system bytes.
  std::string FileName;

  // When set, Execute calls it instead of showing the dialog: it gets the name the dialog
  // would start with, may change it to the name "typed", and returns whether it confirmed.
  static std::function<bool(std::string& FileName)> ExecuteHook;

 private:
  QWidget* owner_;
};

}  // namespace platform
