#include "Startup.h"

#include <string>

#include "Forms.h"

int RunGuarded(const std::function<void()>& Steps) {
  try {
    Steps();
  } catch (const Exception& E) {
    Application->ShowException(E);
    return 1;
  } catch (...) {
    try {
      throw Exception(std::string());
    } catch (const Exception& E) {
      Application->ShowException(E);
    }
    return 1;
  }
  return 0;
}
