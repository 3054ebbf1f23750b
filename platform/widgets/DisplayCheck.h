#pragma once
// Whether windows can be opened at all. Qt's platform plugin ends the process with its own
// message when it cannot reach its display, so start-up asks here first.

#include <string>

struct xcb_connection_t;

namespace platform {

// Connects to the X server that Qt will use, when it will use one, and keeps that connection
// while it lives: an X server whose last client leaves resets itself, and Qt connecting in
// the middle of that reset would fail. Keep it until Qt has connected.
class DisplayCheck {
 public:
  DisplayCheck();
  ~DisplayCheck();
  DisplayCheck(const DisplayCheck&) = delete;
  DisplayCheck& operator=(const DisplayCheck&) = delete;

  // Empty when the display can be reached (or none is needed, as for the offscreen
  // platform); otherwise the message (Shift-JIS) that says why it cannot.
  const std::string& Problem() const { return problem_; }

 private:
  xcb_connection_t* connection_ = nullptr;
  std::string problem_;
};

}  // namespace platform
