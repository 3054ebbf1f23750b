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

  // Takes Path (a full path) as the chosen file without showing the window, as a click on
  // it in the file list would: SelectedFile and Label1 hold it, and the lists move to its
  // folder with the file selected when that folder can be read (they stay where they are
  // otherwise).
  void ChooseFile(const std::string& Path);
};

extern TForm2* Form2;
