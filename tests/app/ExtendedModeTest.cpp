// The extended analysis in the window: off as designed, switched by the memo's context menu
// command, shown in the caption, remembered between runs, and used by "ファイル選択".

#include <QAction>
#include <QMenu>
#include <memory>

#include "DisplayText.h"
#include "ExtendedLoad.h"
#include "ExtendedMode.h"
#include "MemoCommands.h"
#include "OrderedTiff.h"
#include "Settings.h"
#include "WindowsFixture.h"

using platform::Application;
using platform::FromSjis;
using platform::MemoContextMenu;
using platform::ReadBoolSetting;
using platform::TStringList;
using platform::WriteBoolSetting;

namespace {

using fixture::TempFile;

const char kCaption[] = "Exif 分析　Ｖｅｒ１.０１　　2010.3.26";

class ExtendedModeTest : public WindowsTest {
 protected:
  void SetUp() override {
    WriteBoolSetting("ExtendedAnalysis", false);
    WindowsTest::SetUp();
  }
  void TearDown() override {
    WindowsTest::TearDown();
    WriteBoolSetting("ExtendedAnalysis", false);
  }

  // The command as the memo's context menu offers it; the menu goes with the pointer.
  static QAction* Command(std::unique_ptr<QMenu>& menu) {
    menu.reset(MemoContextMenu(*Form1->Memo1));
    const QList<QAction*> actions = menu->actions();
    return actions.isEmpty() ? nullptr : actions.back();
  }

  void Choose(const TempFile& photo) {
    ChooseWith([&] {
      PickFile(photo.dir(), "photo.jpg");
      Form2->Button1->Click();
    });
  }
};

TEST_F(ExtendedModeTest, isOffAsDesignedAndSwitchedFromTheMemosContextMenu) {
  std::unique_ptr<QMenu> menu;
  QAction* command = Command(menu);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->text(), FromSjis(kExtendedCommandCaption));
  EXPECT_TRUE(command->isCheckable());
  EXPECT_FALSE(command->isChecked());
  EXPECT_EQ(Form1->Caption(), kCaption);

  command->trigger();
  EXPECT_EQ(Form1->Caption(), std::string(kCaption) + "（拡張解析）");
  EXPECT_TRUE(ReadBoolSetting("ExtendedAnalysis", false));
  EXPECT_TRUE(Command(menu)->isChecked());

  // A later run starts with the remembered choice. The menu goes with its memo.
  menu.release();
  delete Form1;
  Application->CreateForm(Form1);
  EXPECT_EQ(Form1->Caption(), std::string(kCaption) + "（拡張解析）");

  Command(menu)->trigger();
  EXPECT_EQ(Form1->Caption(), kCaption);
  EXPECT_FALSE(ReadBoolSetting("ExtendedAnalysis", true));
}

TEST_F(ExtendedModeTest, theFileCommandAnalysesAMotorolaFileOnlyWhileItIsOn) {
  const TempFile photo(fixture::ExifJpeg(fixture::SampleOrderedTiff(true).tiff()), "photo.jpg");
  Choose(photo);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "インテル形式ではないようです");
  EXPECT_EQ(Form1->Memo1->Lines->Text(), "");

  SetExtendedAnalysis(*Form1, true, false);
  Choose(photo);
  EXPECT_EQ(boxes.size(), 1u);
  AnalysisState state;
  state.SelectedFile = photo.path();
  TStringList expected;
  ASSERT_EQ(LoadAndAnalyzeExtended(state, expected), LoadOutcome::Analysed);
  EXPECT_EQ(Form1->Memo1->Lines->Text(), expected.Text());
  // Switching it on for a run is not remembered.
  EXPECT_FALSE(ReadBoolSetting("ExtendedAnalysis", true));
}

}  // namespace
