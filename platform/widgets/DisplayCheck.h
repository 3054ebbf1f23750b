#pragma once
// Whether windows can be opened at all. Qt's platform plugin ends the process with its own
// message when it cannot reach its display, so start-up asks here first.

#include <string>

// Empty when the display that Qt will use can be reached (or none is needed, as for the
// offscreen platform); otherwise the message (Shift-JIS) that says why it cannot.
std::string DisplayProblem();
