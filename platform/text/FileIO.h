#pragma once
// File functions over POSIX. Paths are native file-system bytes, never Shift-JIS.

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace platform {

// The system calls beneath the file functions. Tests swap in their own to produce the faults
// of real disks: short reads, a disk that fills up, a folder that takes no new file.
struct SystemFileCalls {
  int (*Open)(const char* Path, int Flags, mode_t Mode);
  ssize_t (*Read)(int Handle, void* Buffer, size_t Count);
  ssize_t (*Write)(int Handle, const void* Buffer, size_t Count);
  int (*Fallocate)(int Handle, int Mode, off_t Offset, off_t Length);
};
extern SystemFileCalls FileCalls;

// Reads up to Count bytes from the start of FileName into Buffer when FileName is a regular
// file after following links; keeps reading until Count bytes or the file's end, however
// little each read returns. Returns the number read, or -1 when FileName cannot be opened,
// is no regular file (a directory, a pipe, a socket, a device: refused before a byte is
// read, and never waiting), or a read fails.
int ReadRegularFile(const std::string& FileName, void* Buffer, int Count);

}  // namespace platform
