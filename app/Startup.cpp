#include "Startup.h"

#include <string>

#include "Forms.h"

using platform::Application;
using platform::Exception;

int RunGuarded(const std::function<void()>& Steps) {
  try {
    Steps();
    return 0;
  } catch (const Exception& E) {
    Application->ShowException(E);
  } catch (...) {
    Application->ShowException(Exception(std::string()));
  }
  return 1;
}
