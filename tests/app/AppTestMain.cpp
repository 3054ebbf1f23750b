// Runs the window tests on Qt's offscreen platform with one application object.

#include <gtest/gtest.h>

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

#include "Forms.h"

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

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Remembered options go to a folder of this run, never to the user's own.
  char config[] = "/tmp/app-tests-config-XXXXXX";
  if (mkdtemp(config) != nullptr) setenv("XDG_CONFIG_HOME", config, 1);
  qtMessages = qInstallMessageHandler(QuietMessages);
  TApplication application;
  application.Initialize();
  return RUN_ALL_TESTS();
}
