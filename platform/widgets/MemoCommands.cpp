#include "MemoCommands.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <map>
#include <vector>

#include "DisplayText.h"
#include "Memo.h"

namespace platform {

namespace {

std::map<TMemo*, std::vector<MemoCommand>>& Commands() {
  static std::map<TMemo*, std::vector<MemoCommand>> commands;
  return commands;
}

}  // namespace

void AddMemoCommand(TMemo& Memo, MemoCommand Command) {
  std::vector<MemoCommand>& commands = Commands()[&Memo];
  if (commands.empty()) {
    QPlainTextEdit* editor = Memo.Editor();
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(editor, &QWidget::customContextMenuRequested, editor,
                     [&Memo, editor](const QPoint& At) {
                       QMenu* menu = MemoContextMenu(Memo);
                       menu->exec(editor->viewport()->mapToGlobal(At));
                       delete menu;
                     });
    // The memo may go before the program ends (a window test makes a fresh one each time).
    QObject::connect(editor, &QObject::destroyed, [&Memo] { Commands().erase(&Memo); });
  }
  commands.push_back(std::move(Command));
}

QMenu* MemoContextMenu(TMemo& Memo) {
  QMenu* menu = Memo.Editor()->createStandardContextMenu();
  const auto found = Commands().find(&Memo);
  if (found == Commands().end()) return menu;
  menu->addSeparator();
  for (const MemoCommand& command : found->second) {
    QAction* action = menu->addAction(FromSjis(command.Caption));
    action->setCheckable(true);
    action->setChecked(command.Checked());
    QObject::connect(action, &QAction::triggered, menu, command.Toggle);
  }
  return menu;
}

}  // namespace platform
