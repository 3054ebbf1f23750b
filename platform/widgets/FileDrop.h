#pragma once
// Files dropped onto a form from a file manager.

#include <functional>
#include <string>
#include <vector>

class QMimeData;

namespace platform {

class TForm;

// The local files among the dropped data, in their order, as native paths; URLs of other
// kinds (web addresses, remote files) and plain text are left out.
std::vector<std::string> DroppedLocalFiles(const QMimeData* Data);

// Makes Form take drops that hold at least one local file; other drops are refused at the
// door. OnDrop gets the local files (at least one) once the drop has completed, so that the
// file manager is never kept waiting behind a message box, and runs as a command: a failure
// escaping it is shown with the default exception display. The drop is always a copy, so the
// file manager never deletes the source as it would after a move.
void AcceptDroppedFiles(TForm& Form, std::function<void(const std::vector<std::string>&)> OnDrop);

}  // namespace platform
