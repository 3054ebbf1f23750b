#pragma once
// The main window: the button bar with the four commands and the report memo. The unit
// also holds the program's one analysis state.

#include "AnalysisState.h"
#include "Dialogs.h"
#include "Forms.h"
#include "Memo.h"

// The analysis state of the program, as at program load until the first command.
extern AnalysisState Analysis;

class TForm1 : public platform::TForm {
 public:
  TForm1();

  platform::TPanel* Panel1;              // the button bar along the top
  platform::TButton* Button1;            // "ファイル選択": choose a photograph and analyse it
  platform::TButton* Button2;            // "終了": close the window and end the program
  platform::TMemo* Memo1;                // the report, read-only, filling the rest of the window
  platform::TButton* Button3;            // "印刷": print the report
  platform::TPrintDialog* PrintDialog1;  // the printer and copies for "印刷"
  platform::TButton* Button4;  // "フアイルに保存": save the report as a Shift-JIS text file
  platform::TSaveDialog* SaveDialog1;  // the file name for "フアイルに保存"

  // Closes the window, which ends the program.
  void Button2Click(platform::TObject* Sender);
  // Shows the chooser, then loads, checks and analyses the chosen file into Memo1
  // (LoadAndAnalyze); a refused file is named in a warning box.
  void Button1Click(platform::TObject* Sender);
  // Prints Memo1's rows (PrintReport).
  void Button3Click(platform::TObject* Sender);
  // Saves Memo1's lines (SaveReport).
  void Button4Click(platform::TObject* Sender);

  // Analyses Path (native bytes; relative to the current directory unless it starts with
  // "/") as if the user had chosen it in the chooser: the same checks, warnings and report,
  // and the chooser then starts in its folder. For a file named at start or dropped.
  void AnalyseFile(const std::string& Path);

 private:
  // The command's part after the chooser: loads SelectedFile into the report or warns.
  void AnalyseSelectedFile();
  std::unique_ptr<platform::TPrintDialog> printDialog_;
  std::unique_ptr<platform::TSaveDialog> saveDialog_;
};

extern TForm1* Form1;
