#pragma once
// The linked file controls of a chooser: a drive box (here: file-system roots), a directory
// list that walks the tree, and a list of a directory's ordinary files. Choosing a drive
// moves the directory list there; opening a directory makes the file list show its files.
// Paths and names are native file-system bytes.

#include <map>
#include <string>
#include <vector>

#include "Controls.h"

class QComboBox;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace platform {

class TFileListBox : public TControl {
 public:
  // Starts at the process's current directory.
  explicit TFileListBox(TWinControl* Parent);
  // Lists Directory's ordinary, non-hidden files, sorted, none selected. A directory that
  // cannot be read lists nothing.
  void SetDirectory(const std::string& Directory);
  std::string Directory() const { return directory_; }
  const std::vector<std::string>& Items() const { return names_; }
  // The selected entry, -1 for none. Setting it selects without firing OnClick.
  int ItemIndex() const;
  void SetItemIndex(int Index);
  // Directory, "/", the selected name (a single "/" at the root); empty without selection.
  std::string GetFilePath() const;
  void SetItemHeight(int DesignPixels);
  QListWidget* List() const { return list_; }

  // Each click on an entry (also on the selected one) and each change of the selection
  // from the keyboard.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

 private:
  QListWidget* list_;
  std::string directory_;
  std::vector<std::string> names_;
};

class TDirectoryListBox : public TControl {
 public:
  // Starts at the process's current directory, on the drive that holds it.
  explicit TDirectoryListBox(TWinControl* Parent);
  // The file list that follows this list's directory.
  void SetFileList(TFileListBox* FileList);
  // Shows Directory: the path from the drive's root down to it, then its subdirectories.
  // Raises Exception when it cannot be read; the list then stays where it was.
  void SetDirectory(const std::string& Directory);
  std::string Directory() const { return directory_; }
  // Moves to Directory on another drive.
  void SetDrive(const std::string& Drive, const std::string& Directory);
  std::string Drive() const { return drive_; }
  // The directories listed, top to bottom, and opening one as a double-click or Enter does.
  const std::vector<std::string>& ItemPaths() const { return paths_; }
  void OpenItem(int Index);
  void SetItemHeight(int DesignPixels);
  QTreeWidget* Tree() const { return tree_; }

 private:
  QTreeWidget* tree_;
  TFileListBox* fileList_ = nullptr;
  std::string drive_;
  std::string directory_;
  std::vector<std::string> paths_;
  int itemHeight_ = 16;
};

class TDriveComboBox : public TControl {
 public:
  // Lists the roots; the one holding the process's current directory is selected.
  explicit TDriveComboBox(TWinControl* Parent);
  // The directory list that follows this box.
  void SetDirList(TDirectoryListBox* DirList);
  const std::vector<std::string>& Drives() const { return drives_; }
  std::string Drive() const { return drive_; }
  // Chooses Drive as the user would: the directory list goes to the directory it last
  // showed on that drive, or to its root. When that fails the box keeps its drive.
  void SetDrive(const std::string& Drive);
  QComboBox* Combo() const { return combo_; }

 private:
  void ShowDrive();
  QComboBox* combo_;
  TDirectoryListBox* dirList_ = nullptr;
  std::vector<std::string> drives_;
  std::string drive_;
  std::map<std::string, std::string> lastDirectory_;
};

}  // namespace platform
