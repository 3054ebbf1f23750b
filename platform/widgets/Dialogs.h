#pragma once
// The print and save dialogs. Each shows the platform's dialog modally over its owner;
// tests answer them through ExecuteHook without showing anything.

#include <functional>
#include <string>

class QWidget;

class TPrintDialog {
 public:
  explicit TPrintDialog(QWidget* Owner);
  // Shows the print dialog for Printer(); the printer and settings chosen there are the
  // ones that the following printing uses. True when the user confirms.
  bool Execute();

  // When set, Execute returns its answer instead of showing the dialog. A hook may set up
  // Printer() as a user would (for example: print to a PDF file).
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
