#include "DisplayCheck.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace platform {

namespace {

std::string_view Environment(const char* Name) {
  const char* value = std::getenv(Name);
  return value != nullptr ? value : "";
}

bool StartsWith(std::string_view Text, std::string_view Prefix) {
  return Text.substr(0, Prefix.size()) == Prefix;
}

// The variable's value for a message: printable ASCII only, anything else as '?'.
std::string Printable(std::string_view Value) {
  std::string text;
  for (const char c : Value) text += (c >= 0x20 && c < 0x7F) ? c : '?';
  return text;
}

}  // namespace

DisplayCheck::DisplayCheck() {
  const std::string_view platform = Environment("QT_QPA_PLATFORM");
  const bool xcb = StartsWith(platform, "xcb");
  if (!platform.empty() && !xcb && !StartsWith(platform, "wayland")) {
    return;  // offscreen, vnc and the like need no display
  }
  const std::string_view display = Environment("DISPLAY");
  const std::string_view wayland = Environment("WAYLAND_DISPLAY");
  if (display.empty() && wayland.empty()) {
    problem_ = "画面に接続できません。DISPLAY も WAYLAND_DISPLAY も設定されていません。";
    return;
  }
  // Without a platform named, Qt may pick Wayland when it is there; only when X is sure to
  // be used is its server asked.
  const bool usesX = xcb || (platform.empty() && wayland.empty());
  if (!usesX || display.empty()) return;
  connection_ = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection_) != 0) {
    problem_ = "画面に接続できません。DISPLAY の X サーバー「" + Printable(display) +
               "」との接続に失敗しました。";
  }
}

DisplayCheck::~DisplayCheck() {
  if (connection_ != nullptr) xcb_disconnect(connection_);  // also frees one in error
}

}  // namespace platform
