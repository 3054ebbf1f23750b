// The program's entry point: creates the main window and the chooser and handles messages
// until the main window closes. A file named on the command line is analysed as soon as
// the main window shows.

#include <cstdio>

#include "Camera1.h"
#include "Dispatch.h"
#include "ExtendedMode.h"
#include "Forms.h"
#include "HeapSettings.h"
#include "StartArguments.h"
#include "Startup.h"
#include "Unit2.h"

using platform::Application;
using platform::DispatchAction;
using platform::TApplication;

int main(int argc, char** argv) {
  KeepFreedHeapForReuse();
  const StartArguments start = ParseStartArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (start.What == StartArguments::Action::Help) {
    std::fputs(StartUsageText().c_str(), stdout);
    return 0;
  }
  if (start.What == StartArguments::Action::UsageError) {
    std::fprintf(stderr, "exif-analyzer: %s\n%s", start.Error.c_str(), StartUsageText().c_str());
    return 2;
  }
  TApplication application;
  return RunGuarded([&start] {
    Application->Initialize();
    Application->CreateForm(Form1);
    if (start.Extended) SetExtendedAnalysis(*Form1, true, false);
    Application->CreateForm(Form2);
    if (!start.File.empty()) {
      Form1->Show();
      DispatchAction([&start] { Form1->AnalyseFile(start.File); });
    }
    Application->Run();
  });
}
