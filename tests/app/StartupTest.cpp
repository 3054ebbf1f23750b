// The guard around start-up: what a failure shows and the exit code it gives.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <stdexcept>

#include "Forms.h"
#include "Startup.h"

using platform::Application;
using platform::EConvertError;

namespace {

TEST(RunGuarded, showsAFailureOfStartUpAndEndsWithExitCode1) {
  struct Case {
    const char* name;
    std::function<void()> steps;
    int exitCode;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {"no failure", [] {}, 0, {}},
      {"platform exception",
       [] { throw EConvertError("'x' は整数ではありません"); },
       1,
       {"'x' は整数ではありません"}},
      {"other thrown object", [] { throw 42; }, 1, {""}},
      {"standard exception", [] { throw std::runtime_error("lost"); }, 1, {""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> shown;
    Application->MessageBoxHook = [&](const std::string& Text, const std::string& Caption) {
      shown.push_back(Text);
      EXPECT_EQ(Caption, Application->Title);
    };
    EXPECT_EQ(RunGuarded(c.steps), c.exitCode);
    EXPECT_EQ(shown, c.shown);
    Application->MessageBoxHook = nullptr;
  }
}

// Qt's own texts (buttons of boxes, standard dialogs) read in Japanese whatever the locale.
TEST(Initialize, loadsQtsJapaneseTexts) {
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
            QString::fromUtf8(u8"キャンセル"));
}

}  // namespace
