#pragma once
// Objects and event handlers. Every handler runs through DispatchEvent, so that an
// exception escaping it is shown by the application's default exception display and the
// program goes on, as in any message loop of the platform.

#include <functional>

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

// Calls Handler (when set) with Sender. Whatever it throws is caught and shown with the
// default exception display; then the memos bring their widgets up to date.
void DispatchEvent(const TNotifyEvent& Handler, TObject* Sender);

// Runs Action the same way: for the platform's own reactions to the user (the file lists).
void DispatchAction(const std::function<void()>& Action);
