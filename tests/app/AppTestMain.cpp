// Runs the window tests on Qt's offscreen platform with one application object.
//   app_tests [--screen-dpi=N] [gtest options]
// --screen-dpi gives the offscreen screen N logical pixels per inch (96 otherwise).

#include <gtest/gtest.h>
#include <unistd.h>

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "Fonts.h"
#include "Forms.h"

using platform::ScreenDpi;
using platform::TApplication;

// Under AddressSanitizer, fontconfig and the Qt platform plugins keep caches to the end of
// the process that its leak check reports; only the window tests switch that check off.
extern "C" const char* __asan_default_options() {
  return "detect_leaks=0";
}

QtMessageHandler qtMessages = nullptr;

// The offscreen platform cannot raise windows and says so each time a form shows.
void QuietMessages(QtMsgType Type, const QMessageLogContext& Context, const QString& Message) {
  if (Message.contains(QStringLiteral("does not support raise()"))) return;
  if (qtMessages != nullptr) {
    qtMessages(Type, Context, Message);
  } else {
    fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(Type, Context, Message)));
  }
}

// Points the offscreen platform at a configuration with one screen of Dpi pixels per inch;
// returns the configuration file, which must live until Qt has read it.
std::string UseOffscreenScreenOf(int Dpi) {
  char path[] = "/tmp/app-tests-screen-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return std::string();
  close(fd);
  std::ofstream(path) << R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1920,)"
                      << R"( "height": 1200, "logicalDpi": )" << Dpi << "}]}\n";
  setenv("QT_QPA_PLATFORM", (std::string("offscreen:configfile=") + path).c_str(), 1);
  // Otherwise Qt keeps 96 logical pixels per inch and scales them by a device pixel ratio.
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  return path;
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  int dpi = 0;
  std::string screenConfig;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--screen-dpi=", 13) == 0) {
      dpi = std::atoi(argv[i] + 13);
      screenConfig = UseOffscreenScreenOf(dpi);
    }
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Remembered options go to a folder of this run, never to the user's own.
  char config[] = "/tmp/app-tests-config-XXXXXX";
  if (mkdtemp(config) != nullptr) setenv("XDG_CONFIG_HOME", config, 1);
  qtMessages = qInstallMessageHandler(QuietMessages);
  TApplication application;
  application.Initialize();
  if (!screenConfig.empty()) std::remove(screenConfig.c_str());
  if (dpi != 0 && ScreenDpi() != dpi) {
    fprintf(stderr, "the screen has %g pixels per inch, not %d\n", ScreenDpi(), dpi);
    return 1;
  }
  return RUN_ALL_TESTS();
}
