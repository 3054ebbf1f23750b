#pragma once
// The dispatcher of commands. Every event handler runs through DispatchEvent, so that an
// exception escaping it is shown by the application's default exception display and the
// program goes on, as in any message loop of the platform.

#include <functional>

#include "Events.h"

namespace platform {

// Calls Handler (when set) with Sender. Whatever it throws is caught and shown with the
// default exception display; the after-command hook runs before that display and once more
// when the command has ended.
void DispatchEvent(const TNotifyEvent& Handler, TObject* Sender);

// Runs Action the same way: for the platform's own reactions to the user (the file lists).
void DispatchAction(const std::function<void()>& Action);

// The one thing to do when a command ends or, before that, hands the user a modal window
// (a form, a message box, the exception display): the memos register the showing of the
// lines they have batched. Setting it again replaces it.
void SetAfterCommandHook(std::function<void()> Hook);

// Runs the after-command hook, when one is set.
void RunAfterCommandHook();

}  // namespace platform
