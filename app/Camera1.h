#pragma once
// The main window: the button bar with the four commands and the report memo. The unit
// also holds the program's one analysis state.

#include "AnalysisState.h"
#include "Dialogs.h"
#include "Forms.h"
#include "Memo.h"

// The analysis state of the program, as at program load until the first command.
extern AnalysisState Analysis;

class TForm1 : public TForm {
 public:
  TForm1();

  TPanel* Panel1;
  TButton* Button1;
  TButton* Button2;
  TMemo* Memo1;
  TButton* Button3;
  TPrintDialog* PrintDialog1;
  TButton* Button4;
  TSaveDialog* SaveDialog1;

  void Button2Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button4Click(TObject* Sender);

  // Analyses Path (native bytes; relative to the current directory unless it starts with
  // "/") as if the user had chosen it in the chooser: the same checks, warnings and report,
  // and the chooser then starts in its folder. For a file named at start or dropped.
  void AnalyseFile(const std::string& Path);

 private:
  // The command's part after the chooser: loads SelectedFile into the report or warns.
  void AnalyseSelectedFile();
  std::unique_ptr<TPrintDialog> printDialog_;
  std::unique_ptr<TSaveDialog> saveDialog_;
};

extern TForm1* Form1;
