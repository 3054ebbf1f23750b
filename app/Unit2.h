#pragma once
// The file chooser: the user walks to a file and picks it; its path goes to the analysis
// state's SelectedFile, or SelectedFile is emptied on "中止".

#include "FileControls.h"
#include "Forms.h"

class TForm2 : public platform::TForm {
 public:
  TForm2();

  platform::TFileListBox* FileListBox1;            // the files of the directory shown on the left
  platform::TDirectoryListBox* DirectoryListBox1;  // the directory tree; fills the file list
  platform::TDriveComboBox* DriveComboBox1;  // the roots to start from; sets the directory list
  platform::TLabel* Label1;                  // the path of the file clicked last
  platform::TButton* Button1;                // "選択": keep the file clicked last and close
  platform::TButton* Button2;                // "中止": choose nothing and close

  // Empties SelectedFile and closes the window.
  void Button2Click(platform::TObject* Sender);
  // Stores the clicked file's path in SelectedFile and shows it in Label1.
  void FileListBox1Click(platform::TObject* Sender);
  // Closes the window; SelectedFile holds the file clicked last.
  void Button1Click(platform::TObject* Sender);
  // Closes the window, as "選択" does (the click before stored the file).
  void FileListBox1DblClick(platform::TObject* Sender);

  // Takes Path (a full path) as the chosen file without showing the window, as a click on
  // it in the file list would: SelectedFile and Label1 hold it, and the lists move to its
  // folder with the file selected when that folder can be read (they stay where they are
  // otherwise).
  void ChooseFile(const std::string& Path);
};

extern TForm2* Form2;
