#pragma once
// The file chooser: the user walks to a file and picks it; its path goes to the analysis
// state's SelectedFile, or SelectedFile is emptied on "中止".

#include "FileControls.h"
#include "Forms.h"

class TForm2 : public TForm {
 public:
  TForm2();

  TFileListBox* FileListBox1;
  TDirectoryListBox* DirectoryListBox1;
  TDriveComboBox* DriveComboBox1;
  TLabel* Label1;
  TButton* Button1;
  TButton* Button2;

  void Button2Click(TObject* Sender);
  void FileListBox1Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void FileListBox1DblClick(TObject* Sender);
};

extern TForm2* Form2;
