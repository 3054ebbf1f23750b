#include "FileDrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include "Dispatch.h"
#include "DisplayText.h"
#include "Forms.h"

namespace platform {

namespace {

// Watches the form's widget for drags. Owned by that widget.
class DropFilter : public QObject {
 public:
  DropFilter(QWidget* Window, std::function<void(const std::vector<std::string>&)> OnDrop)
      : QObject(Window), onDrop_(std::move(OnDrop)) {}

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    switch (Event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove:
        Answer(static_cast<QDropEvent*>(Event));
        return true;
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(Event);
        if (!Answer(drop)) return true;
        const std::vector<std::string> files = DroppedLocalFiles(drop->mimeData());
        auto onDrop = onDrop_;
        QTimer::singleShot(0, this, [onDrop, files] { DispatchAction([&] { onDrop(files); }); });
        return true;
      }
      default:
        return QObject::eventFilter(Watched, Event);
    }
  }

 private:
  // Accepts the event as a copy when it holds a local file that can be copied; refuses it
  // otherwise. True when accepted.
  static bool Answer(QDropEvent* Event) {
    if (!(Event->possibleActions() & Qt::CopyAction) ||
        DroppedLocalFiles(Event->mimeData()).empty()) {
      Event->ignore();
      return false;
    }
    Event->setDropAction(Qt::CopyAction);
    Event->accept();
    return true;
  }

  std::function<void(const std::vector<std::string>&)> onDrop_;
};

}  // namespace

std::vector<std::string> DroppedLocalFiles(const QMimeData* Data) {
  std::vector<std::string> files;
  if (Data == nullptr || !Data->hasUrls()) return files;
  for (const QUrl& url : Data->urls()) {
    if (url.isLocalFile() && !url.toLocalFile().isEmpty()) {
      files.push_back(ToNativePath(url.toLocalFile()));
    }
  }
  return files;
}

void AcceptDroppedFiles(TForm& Form, std::function<void(const std::vector<std::string>&)> OnDrop) {
  QWidget* window = Form.Widget();
  window->setAcceptDrops(true);
  window->installEventFilter(new DropFilter(window, std::move(OnDrop)));
}

}  // namespace platform
