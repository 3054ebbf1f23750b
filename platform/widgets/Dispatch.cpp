#include "Dispatch.h"

#include "Forms.h"

namespace platform {

namespace {

std::function<void()>& AfterCommandHook() {
  static std::function<void()> hook;
  return hook;
}

}  // namespace

void SetAfterCommandHook(std::function<void()> Hook) {
  AfterCommandHook() = std::move(Hook);
}

void RunAfterCommandHook() {
  if (AfterCommandHook()) AfterCommandHook()();
}

void DispatchAction(const std::function<void()>& Action) {
  try {
    Action();
  } catch (...) {
    // What the command wrote so far stays and is shown behind the error box.
    RunAfterCommandHook();
    try {
      if (Application != nullptr) Application->HandleException();
    } catch (...) {
      // Nothing is left to show a failure of the display itself with.
    }
  }
  RunAfterCommandHook();
}

void DispatchEvent(const TNotifyEvent& Handler, TObject* Sender) {
  if (!Handler) return;
  DispatchAction([&] { Handler(Sender); });
}

}  // namespace platform
