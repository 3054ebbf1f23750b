// The forms' client areas at the screen's resolution: the designed outer size less the
// frame, so that the memo, and with it the rows a long line wraps into, has its designed
// width. Run at 96 pixels per inch and, with --screen-dpi=120, at the design resolution.

#include <QPlainTextEdit>
#include <QTreeWidget>

#include "Fonts.h"
#include "WindowsFixture.h"

using platform::ScaleDesign;
using platform::ScreenDpi;
using platform::TButton;

namespace {

struct Sizes {
  double dpi;
  QSize form1;  // client area
  QSize memo;
  QSize form2;  // client area
  int directoryRow;
};

const Sizes kSizes[] = {
    {96, {546, 374}, {546, 354}, {440, 290}, 13},
    {120, {682, 467}, {682, 442}, {550, 363}, 16},
};

const Sizes* SizesAtThisScreen() {
  for (const Sizes& s : kSizes) {
    if (s.dpi == ScreenDpi()) return &s;
  }
  return nullptr;
}

QRect Scaled(int Left, int Top, int Width, int Height) {
  return QRect(ScaleDesign(Left), ScaleDesign(Top), ScaleDesign(Width), ScaleDesign(Height));
}

class WindowSizesTest : public WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    expected = SizesAtThisScreen();
    ASSERT_NE(expected, nullptr) << "no sizes for " << ScreenDpi() << " pixels per inch";
  }
  const Sizes* expected = nullptr;
};

TEST_F(WindowSizesTest, clientAreasAreTheOuterSizesLessTheFrame) {
  EXPECT_EQ(Form1->Widget()->size(), expected->form1);
  EXPECT_EQ(Form1->Memo1->Widget()->size(), expected->memo);
  EXPECT_EQ(Form2->Widget()->size(), expected->form2);

  // The file list and the bottom row reach past the chooser's client area; they keep their
  // designed bounds and are clipped at its edge.
  const QSize client = Form2->Widget()->size();
  const QRect fileList = Form2->FileListBox1->Widget()->geometry();
  EXPECT_EQ(fileList, Scaled(208, 40, 345, 289));
  EXPECT_GT(fileList.x() + fileList.width(), client.width());
  for (TButton* button : {Form2->Button1, Form2->Button2}) {
    const QRect bounds = button->Widget()->geometry();
    EXPECT_GT(bounds.y() + bounds.height(), client.height());
  }
  EXPECT_EQ(Form2->Button1->Widget()->geometry(), Scaled(416, 344, 57, 25));
  EXPECT_EQ(Form2->Button2->Widget()->geometry(), Scaled(488, 344, 57, 25));
}

// A value without spaces goes to a row of its own and breaks where its half-width
// characters fill the text area of the memo, whose width the previous test pins.
TEST_F(WindowSizesTest, aLongReportLineWrapsAtTheMemosWidth) {
  QPlainTextEdit* editor = Form1->Memo1->Editor();
  const int textWidth =
      editor->viewport()->width() - 2 * static_cast<int>(editor->document()->documentMargin());
  const size_t columns =
      static_cast<size_t>(textWidth / editor->fontMetrics().horizontalAdvance(QLatin1Char('A')));
  const std::string value(2 * columns + 5, 'A');
  Form1->Memo1->Lines->Add("00134H  : " + value);

  const std::vector<std::string> rows = {
      Form1->Memo1->Lines->Strings(0), Form1->Memo1->Lines->Strings(1),
      Form1->Memo1->Lines->Strings(2), Form1->Memo1->Lines->Strings(3)};
  EXPECT_EQ(Form1->Memo1->Lines->Count(), 4);
  EXPECT_EQ(rows[0], "00134H  : ");
  EXPECT_EQ(rows[1], std::string(columns, 'A'));
  EXPECT_EQ(rows[2], std::string(columns, 'A'));
  EXPECT_EQ(rows[3], "AAAAA");
}

// The font's text fits in the designed row height, so the rows have it; the folder icons
// are fitted inside.
TEST_F(WindowSizesTest, directoryRowsHaveTheDesignedHeight) {
  QTreeWidget* tree = Form2->DirectoryListBox1->Tree();
  ASSERT_LE(tree->fontMetrics().height(), expected->directoryRow);
  Form2->Show();
  int rows = 0;
  for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it, ++rows) {
    EXPECT_EQ(tree->visualItemRect(*it).height(), expected->directoryRow);
  }
  EXPECT_GE(rows, 2);  // the root and the way down to the current directory
  Form2->Hide();
}

}  // namespace
