#pragma once
// Checkable commands added to a memo's context menu after its standard ones, so that an
// option can be offered without a control of its own on the window.

#include <functional>
#include <string>

class QMenu;

namespace platform {

class TMemo;

struct MemoCommand {
  std::string Caption;            // Shift-JIS
  std::function<bool()> Checked;  // whether the command shows its check mark
  std::function<void()> Toggle;   // runs when the user picks the command
};

// Adds Command to Memo's context menu; the commands stay for the memo's life.
void AddMemoCommand(TMemo& Memo, MemoCommand Command);

// The context menu as it opens over Memo: the standard commands, a separator and the added
// ones. The caller may delete it; otherwise it goes with the memo.
QMenu* MemoContextMenu(TMemo& Memo);

}  // namespace platform
