#include "FileReplace.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "FileIO.h"

namespace platform {

namespace {

// write() moves at most this much at a time on Linux; larger texts go in pieces.
constexpr size_t kMaxPiece = size_t{1} << 30;

// Symbolic links followed in a row before a name counts as a loop, as the kernel does.
constexpr int kMaxLinks = 40;

bool WriteAll(int Handle, std::string_view Bytes) {
  while (!Bytes.empty()) {
    const ssize_t put = FileCalls.Write(Handle, Bytes.data(), std::min(kMaxPiece, Bytes.size()));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    Bytes.remove_prefix(static_cast<size_t>(put));
  }
  return true;
}

// The folder part of a path, with its final "/" ("" for a bare name).
std::string FolderOf(const std::string& Path) {
  const size_t slash = Path.rfind('/');
  return slash == std::string::npos ? std::string() : Path.substr(0, slash + 1);
}

// The name that FileName's symbolic links lead to, however many there are, so that the file
// at the end of them is replaced and the links stay. Empty when the links go round in a loop.
std::string FinalName(std::string Name) {
  for (int links = 0; links < kMaxLinks; ++links) {
    struct stat status;
    if (::lstat(Name.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return Name;
    char target[PATH_MAX];
    const ssize_t length = ::readlink(Name.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof target) return std::string();
    const std::string linked(target, static_cast<size_t>(length));
    Name = linked.front() == '/' ? linked : FolderOf(Name) + linked;
  }
  return std::string();
}

// Creates a new, empty, hidden file in Folder; its handle and name, or -1.
int CreateTemporary(const std::string& Folder, mode_t Mode, std::string* Name) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".saving-%d-%08x", static_cast<int>(::getpid()),
                  static_cast<unsigned>(now) ^ (++counter * 0x9E3779B9u));
    *Name = Folder + suffix;
    const int handle = FileCalls.Open(Name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, Mode);
    if (handle >= 0 || errno != EEXIST) return handle;
  }
  return -1;
}

// Writes Bytes over the existing FileName. For a regular file (Reserve) the whole new length
// is reserved first, so that a full disk fails before the first old byte is overwritten; the
// file is then cut to the new length. Pipes and devices are opened without waiting for a
// reader and then written as they are.
bool WriteInPlace(const std::string& FileName, std::string_view Bytes, bool Reserve) {
  const int handle =
      FileCalls.Open(FileName.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0);
  if (handle < 0) return false;
  bool done = ::fcntl(handle, F_SETFL, 0) == 0;
  if (done && Reserve && !Bytes.empty()) {
    done =
        FileCalls.Fallocate(handle, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(Bytes.size())) == 0;
  }
  done = done && WriteAll(handle, Bytes);
  if (Reserve) {
    done = done && ::ftruncate(handle, static_cast<off_t>(Bytes.size())) == 0;
    done = done && ::fsync(handle) == 0;
  }
  return ::close(handle) == 0 && done;
}

// Gives the new file the old one's owner (where allowed: only root may give a file away)
// and permission bits.
bool TakeOver(int Handle, const struct stat& Old) {
  struct stat now;
  if (::fstat(Handle, &now) != 0) return false;
  if (now.st_uid != Old.st_uid || now.st_gid != Old.st_gid) {
    // Not being allowed to keep the owner is no reason to refuse the save.
    (void)::fchown(Handle, Old.st_uid, Old.st_gid);
  }
  // After fchown, which clears the set-user-ID and set-group-ID bits.
  return ::fchmod(Handle, Old.st_mode & 07777) == 0;
}

void FlushFolder(const std::string& Folder) {
  const int handle =
      ::open(Folder.empty() ? "." : Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) return;
  ::fsync(handle);
  ::close(handle);
}

}  // namespace

bool ReplaceFileContents(const std::string& FileName, std::string_view Bytes) {
  if (FileName.empty()) return false;
  const std::string target = FinalName(FileName);
  if (target.empty()) return false;

  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return false;
  if (exists && S_ISDIR(old.st_mode)) return false;
  // A pipe or a device has no content to lose, and must not become a regular file.
  if (exists && !S_ISREG(old.st_mode)) return WriteInPlace(target, Bytes, false);

  const std::string folder = FolderOf(target);
  std::string temporary;
  // A new name gets the permission bits of any newly created file; a replaced file its own,
  // set before a byte is written.
  const int handle = CreateTemporary(folder, exists ? 0600 : 0666, &temporary);
  if (handle < 0) return exists && WriteInPlace(target, Bytes, true);

  bool written = (!exists || TakeOver(handle, old)) && WriteAll(handle, Bytes);
  written = written && ::fsync(handle) == 0;
  written = ::close(handle) == 0 && written;
  if (!written) {
    ::unlink(temporary.c_str());
    return false;
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return exists && WriteInPlace(target, Bytes, true);
  }
  // The rename itself lives in the folder; flushing it makes the replacement last.
  FlushFolder(folder);
  return true;
}

}  // namespace platform
