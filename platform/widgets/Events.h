#pragma once
// Objects and event handlers; Dispatch.h runs the handlers.

#include <functional>

namespace platform {

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// A member function of a form as an event handler: Bind(this, &TForm1::Button1Click).
template <class TOwner>
TNotifyEvent Bind(TOwner* Owner, void (TOwner::*Handler)(TObject*)) {
  return [Owner, Handler](TObject* Sender) { (Owner->*Handler)(Sender); };
}

}  // namespace platform
