#pragma once
// A fresh main window and chooser for each test, the analysis state as at program load,
// and the message boxes recorded instead of shown.

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Camera1.h"
#include "Unit2.h"

struct ShownBox {
  std::string Text;
  std::string Caption;
};

class WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Analysis = AnalysisState{};
    platform::Application->CreateForm(Form1);
    platform::Application->CreateForm(Form2);
    Form1->Show();
    platform::Application->MessageBoxHook = [this](const std::string& Text,
                                                   const std::string& Caption) {
      boxes.push_back({Text, Caption});
    };
  }
  void TearDown() override {
    platform::Application->MessageBoxHook = nullptr;
    delete Form2;
    delete Form1;
    Form1 = nullptr;
    Form2 = nullptr;
  }

  // Runs Action once the chooser shows modally, then presses Form1's "ファイル選択".
  void ChooseWith(std::function<void()> Action) {
    QTimer::singleShot(0, [Action] {
      ASSERT_TRUE(Form2->Modal()) << "the chooser is not showing modally";
      Action();
    });
    Form1->Button1->Click();
    ASSERT_FALSE(Form2->Visible());
  }

  // The user clicks (or double-clicks) Name in the chooser's file list, which then shows
  // Directory.
  static void PickFile(const std::string& Directory, const std::string& Name, bool Double = false) {
    Form2->DirectoryListBox1->SetDirectory(Directory);
    ClickFileItem(Name, Double);
  }
  static void ClickFileItem(const std::string& Name, bool Double = false) {
    const auto& items = Form2->FileListBox1->Items();
    const auto found = std::find(items.begin(), items.end(), Name);
    ASSERT_NE(found, items.end()) << Name << " is not listed";
    QListWidget* list = Form2->FileListBox1->List();
    const QPoint at = list->visualItemRect(list->item(int(found - items.begin()))).center();
    if (Double) {
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    } else {
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    }
  }

  std::vector<ShownBox> boxes;
};
