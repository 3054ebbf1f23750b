// The program's entry point: creates the main window and the chooser and handles messages
// until the main window closes.

#include "Camera1.h"
#include "Forms.h"
#include "HeapSettings.h"
#include "Startup.h"
#include "Unit2.h"

int main() {
  KeepFreedHeapForReuse();
  TApplication application;
  return RunGuarded([] {
    Application->Initialize();
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->Run();
  });
}
