// The program's entry point: creates the main window and the chooser and handles messages
// until the main window closes.

#include "Camera1.h"
#include "ExtendedMode.h"
#include "Forms.h"
#include "Startup.h"
#include "Unit2.h"

int main(int argc, char** argv) {
  TApplication application;
  return RunGuarded([argc, argv] {
    Application->Initialize();
    Application->CreateForm(Form1);
    if (ExtendedRequested(argc, argv)) SetExtendedAnalysis(*Form1, true, false);
    Application->CreateForm(Form2);
    Application->Run();
  });
}
