#include "FileControls.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>

#include "Dispatch.h"
#include "DisplayText.h"
#include "Exceptions.h"
#include "FileSystemLists.h"
#include "Fonts.h"
#include "ShiftJis.h"

namespace platform {

namespace {

// A list that reports clicks, double-clicks and keyboard moves of its selection.
class FileListWidget : public QListWidget {
 public:
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;

 protected:
  int SelectedRow() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
  }
  // The press selects, so a click is reported then, also on the entry already selected.
  void mousePressEvent(QMouseEvent* Event) override {
    QListWidget::mousePressEvent(Event);
    const bool onItem = itemAt(Event->position().toPoint()) != nullptr;
    if (onItem && Event->button() == Qt::LeftButton && OnClick) OnClick();
  }
  void mouseDoubleClickEvent(QMouseEvent* Event) override {
    QListWidget::mouseDoubleClickEvent(Event);
    if (Event->button() == Qt::LeftButton && OnDblClick) OnDblClick();
  }
  void keyPressEvent(QKeyEvent* Event) override {
    const int before = SelectedRow();
    QListWidget::keyPressEvent(Event);
    const int after = SelectedRow();
    if (after >= 0 && after != before && OnClick) OnClick();
  }
};

QByteArray Bytes(const std::string& s) {
  return QByteArray::fromStdString(s);
}

// A row of the designed height, but never lower than the text it shows.
int RowHeight(const QWidget* List, int DesignPixels) {
  return std::max(ScaleDesign(DesignPixels), List->fontMetrics().height());
}

// A directory's row. The width is 0 rather than -1 because Qt drops a size hint that is not
// a valid size; the one column fills the list whatever the hint's width.
QSize DirectoryRowSize(const QWidget* Tree, int DesignPixels) {
  return QSize(0, RowHeight(Tree, DesignPixels));
}

std::string BaseName(const std::string& Path) {
  const size_t slash = Path.find_last_of('/');
  return slash == std::string::npos ? Path : Path.substr(slash + 1);
}

}  // namespace

TFileListBox::TFileListBox(TWinControl* Parent)
    : TControl(Parent, new FileListWidget), list_(static_cast<QListWidget*>(Widget())) {
  auto* list = static_cast<FileListWidget*>(list_);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setUniformItemSizes(true);
  list->OnClick = [this] { DispatchEvent(OnClick, this); };
  list->OnDblClick = [this] { DispatchEvent(OnDblClick, this); };
  SetDirectory(CurrentDirectory());
}

void TFileListBox::SetDirectory(const std::string& Directory) {
  directory_ = Directory;
  names_ = ListOrdinaryFiles(Directory);
  list_->clear();
  for (const std::string& name : names_) list_->addItem(FromNativePath(name));
  list_->setCurrentRow(-1);
  list_->clearSelection();
}

int TFileListBox::ItemIndex() const {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void TFileListBox::SetItemIndex(int Index) {
  if (Index < 0 || Index >= list_->count()) {
    list_->clearSelection();
    return;
  }
  list_->setCurrentRow(Index, QItemSelectionModel::ClearAndSelect);
}

std::string TFileListBox::GetFilePath() const {
  const int index = ItemIndex();
  if (index < 0 || static_cast<size_t>(index) >= names_.size()) return std::string();
  return JoinPath(directory_, names_[static_cast<size_t>(index)]);
}

void TFileListBox::SetItemHeight(int DesignPixels) {
  list_->setStyleSheet(QStringLiteral("QListView::item { height: %1px; padding: 0px; }")
                           .arg(RowHeight(list_, DesignPixels)));
}

TDirectoryListBox::TDirectoryListBox(TWinControl* Parent)
    : TControl(Parent, new QTreeWidget), tree_(static_cast<QTreeWidget*>(Widget())) {
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(false);
  tree_->setItemsExpandable(false);
  tree_->setExpandsOnDoubleClick(false);
  tree_->setUniformRowHeights(true);
  tree_->setIndentation(ScaleDesign(12));
  // The tree only shows the way down to the directory: nothing folds.
  tree_->setStyleSheet(QStringLiteral("QTreeView::branch { image: none; }"));
  QObject::connect(tree_, &QTreeWidget::itemActivated, tree_, [this](QTreeWidgetItem* Item) {
    const std::string path = Item->data(0, Qt::UserRole).toByteArray().toStdString();
    DispatchAction([&] { SetDirectory(path); });
  });
  SetItemHeight(itemHeight_);
  const std::string start = CurrentDirectory();
  drive_ = RootOf(start, ListDriveRoots());
  // An unreadable current directory leaves the list at the root, or empty.
  for (const std::string& directory : {start, std::string("/")}) {
    try {
      SetDirectory(directory);
      break;
    } catch (const Exception&) {
    }
  }
}

void TDirectoryListBox::SetFileList(TFileListBox* FileList) {
  fileList_ = FileList;
  if (fileList_ != nullptr) fileList_->SetDirectory(directory_);
}

void TDirectoryListBox::SetDrive(const std::string& Drive, const std::string& Directory) {
  const std::string previous = drive_;
  drive_ = Drive;
  try {
    SetDirectory(Directory);
  } catch (...) {
    drive_ = previous;
    throw;
  }
}

void TDirectoryListBox::SetDirectory(const std::string& Directory) {
  std::vector<std::string> subdirectories;
  if (!ListSubdirectories(Directory, subdirectories)) {
    throw Exception("'" + Utf8ToSjis(FromNativePath(Directory).toStdString()) + "' を開けません");
  }
  directory_ = Directory;
  if (RootOf(Directory, {drive_}) != drive_) drive_ = "/";

  tree_->clear();
  paths_.clear();
  const QSize rowSize = DirectoryRowSize(tree_, itemHeight_);
  const QIcon open = tree_->style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = tree_->style()->standardIcon(QStyle::SP_DirClosedIcon);
  auto addItem = [&](QTreeWidgetItem* parent, const std::string& path, const std::string& label,
                     const QIcon& icon) {
    auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    item->setText(0, FromNativePath(label));
    item->setIcon(0, icon);
    item->setData(0, Qt::UserRole, Bytes(path));
    item->setSizeHint(0, rowSize);
    paths_.push_back(path);
    return item;
  };
  QTreeWidgetItem* current = nullptr;
  for (const std::string& path : PathFromRoot(drive_, Directory)) {
    current = addItem(current, path, current == nullptr ? path : BaseName(path), open);
  }
  for (const std::string& name : subdirectories) {
    addItem(current, JoinPath(Directory, name), name, closed);
  }
  tree_->expandAll();
  tree_->setCurrentItem(current);
  if (fileList_ != nullptr) fileList_->SetDirectory(Directory);
}

void TDirectoryListBox::OpenItem(int Index) {
  if (Index < 0 || static_cast<size_t>(Index) >= paths_.size()) return;
  const std::string path = paths_[static_cast<size_t>(Index)];
  DispatchAction([&] { SetDirectory(path); });
}

void TDirectoryListBox::SetItemHeight(int DesignPixels) {
  itemHeight_ = DesignPixels;
  const QSize rowSize = DirectoryRowSize(tree_, itemHeight_);
  // The folder icons fit inside the row, a pixel clear of each neighbour; at their own
  // size they would make the row taller.
  const int icon = std::max(1, rowSize.height() - 2);
  tree_->setIconSize(QSize(icon, icon));
  for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it) (*it)->setSizeHint(0, rowSize);
}

TDriveComboBox::TDriveComboBox(TWinControl* Parent)
    : TControl(Parent, new QComboBox), combo_(static_cast<QComboBox*>(Widget())) {
  drives_ = ListDriveRoots();
  for (const std::string& drive : drives_) combo_->addItem(FromNativePath(drive));
  drive_ = RootOf(CurrentDirectory(), drives_);
  ShowDrive();
  QObject::connect(combo_, &QComboBox::activated, combo_, [this](int Index) {
    if (Index < 0 || static_cast<size_t>(Index) >= drives_.size()) return;
    const std::string drive = drives_[static_cast<size_t>(Index)];
    DispatchAction([&] { SetDrive(drive); });
  });
}

void TDriveComboBox::SetDirList(TDirectoryListBox* DirList) {
  dirList_ = DirList;
}

void TDriveComboBox::SetDrive(const std::string& Drive) {
  if (Drive == drive_) return;
  if (dirList_ != nullptr) {
    lastDirectory_[drive_] = dirList_->Directory();
    const auto last = lastDirectory_.find(Drive);
    const std::string target = last != lastDirectory_.end() ? last->second : Drive;
    try {
      dirList_->SetDrive(Drive, target);
    } catch (...) {
      ShowDrive();  // the user's choice in the box is undone
      throw;
    }
  }
  drive_ = Drive;
  ShowDrive();
}

void TDriveComboBox::ShowDrive() {
  const auto found = std::find(drives_.begin(), drives_.end(), drive_);
  combo_->setCurrentIndex(found == drives_.end() ? -1 : int(found - drives_.begin()));
}

}  // namespace platform
