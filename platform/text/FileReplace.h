#pragma once
// Replacing a file's whole content so that a failure never destroys what was there.

#include <string>
#include <string_view>

namespace platform {

// Makes FileName (native path bytes) hold exactly Bytes, creating it when it does not exist.
// True only when every byte reached the disk. On false the file is exactly as it was, and
// a name that did not exist is still free.
//
// The bytes go to a new file in the same folder, which is flushed, closed and only then
// renamed over FileName, taking the old file's permission bits (and its owner, where that is
// allowed). A symbolic link stays a link: the file it leads to is the one replaced.
//
// Where the folder takes no new file, or refuses the rename, but the existing file is
// writable, the file is written in place after its full new length has been reserved on
// the disk; a disk that cannot reserve it leaves the file untouched. A pipe or device name
// is written in place as it is; a directory is refused.
bool ReplaceFileContents(const std::string& FileName, std::string_view Bytes);

}  // namespace platform
