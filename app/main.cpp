// The program's entry point: creates the main window and the chooser and handles messages
// until the main window closes.

#include "Camera1.h"
#include "Forms.h"
#include "Unit2.h"

int main() {
  TApplication application;
  try {
    Application->Initialize();
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->Run();
  } catch (const Exception& E) {
    Application->ShowException(E);
    return 1;
  } catch (...) {
    // Anything else is shown as an exception without a message.
    try {
      throw Exception(std::string());
    } catch (const Exception& E) {
      Application->ShowException(E);
    }
    return 1;
  }
  return 0;
}
