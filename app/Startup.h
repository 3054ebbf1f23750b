#pragma once
// The entry point's guard around start-up.

#include <functional>

// Runs Steps (initialise, create the windows, run the message loop) and returns the exit
// code: 0, or 1 when a failure escaped them. That failure is first shown with the
// application's ShowException; a thrown object that is no Exception is shown as an
// Exception without a message.
int RunGuarded(const std::function<void()>& Steps);
