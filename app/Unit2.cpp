#include "Unit2.h"

#include <algorithm>

#include "Camera1.h"
#include "FileSystemLists.h"
#include "Fonts.h"
#include "StartArguments.h"

using platform::Bind;
using platform::DesignFont;
using platform::Exception;
using platform::ListSubdirectories;
using platform::RootOf;
using platform::TButton;
using platform::TDirectoryListBox;
using platform::TDriveComboBox;
using platform::TFileListBox;
using platform::TLabel;
using platform::TObject;

TForm2* Form2 = nullptr;

// The window as designed at 120 pixels per inch. Neither button is a default or cancel
// button: Enter presses the focused one, Escape does nothing.
TForm2::TForm2() {
  SetBounds(310, 158, 568, 408);
  SetCaption("Form2");
  Widget()->setFont(DesignFont("ＭＳ Ｐゴシック", -15));

  FileListBox1 = Make<TFileListBox>(this);
  FileListBox1->SetBounds(208, 40, 345, 289);
  FileListBox1->SetItemHeight(15);
  FileListBox1->OnClick = Bind(this, &TForm2::FileListBox1Click);
  FileListBox1->OnDblClick = Bind(this, &TForm2::FileListBox1DblClick);

  DirectoryListBox1 = Make<TDirectoryListBox>(this);
  DirectoryListBox1->SetBounds(8, 40, 193, 289);
  DirectoryListBox1->SetItemHeight(16);
  DirectoryListBox1->SetFileList(FileListBox1);

  DriveComboBox1 = Make<TDriveComboBox>(this);
  DriveComboBox1->SetBounds(8, 8, 161, 21);
  DriveComboBox1->SetDirList(DirectoryListBox1);

  Label1 = Make<TLabel>(this);
  Label1->SetBounds(16, 344, 41, 15);
  Label1->SetCaption("Label1");

  Button1 = Make<TButton>(this);
  Button1->SetBounds(416, 344, 57, 25);
  Button1->SetCaption("選択");
  Button1->OnClick = Bind(this, &TForm2::Button1Click);

  Button2 = Make<TButton>(this);
  Button2->SetBounds(488, 344, 57, 25);
  Button2->SetCaption("中止");
  Button2->OnClick = Bind(this, &TForm2::Button2Click);

  SetTabOrder({FileListBox1, DirectoryListBox1, DriveComboBox1, Button1, Button2});
}

void TForm2::Button2Click(TObject*) {
  Analysis.SelectedFile.clear();
  Close();
}

void TForm2::FileListBox1Click(TObject*) {
  Analysis.SelectedFile = FileListBox1->GetFilePath();
  Label1->SetCaptionFromPath(Analysis.SelectedFile);
}

void TForm2::Button1Click(TObject*) {
  Close();
}

void TForm2::FileListBox1DblClick(TObject*) {
  Close();
}

void TForm2::ChooseFile(const std::string& Path) {
  const std::string folder = FolderOf(Path);
  std::vector<std::string> subdirectories;
  if (ListSubdirectories(folder, subdirectories)) {
    try {
      DriveComboBox1->SetDrive(RootOf(folder, DriveComboBox1->Drives()));
      DirectoryListBox1->SetDirectory(folder);
      const auto& names = FileListBox1->Items();
      const auto found =
          std::find(names.begin(), names.end(), Path.substr(Path.find_last_of('/') + 1));
      if (found != names.end()) FileListBox1->SetItemIndex(int(found - names.begin()));
    } catch (const Exception&) {
      // The folder went away in between: the lists show what they could reach.
    }
  }
  Analysis.SelectedFile = Path;
  Label1->SetCaptionFromPath(Path);
}
