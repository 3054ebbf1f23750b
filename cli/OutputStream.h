#pragma once
// Writes to a file descriptor through a buffer and remembers the first failure, so that a
// full disk or a closed pipe is reported instead of lost.

#include <string>

class OutputStream {
 public:
  // Bytes are held until more than BufferLimit of them wait; 0 writes each piece at once.
  OutputStream(int Fd, size_t BufferLimit) : fd_(Fd), limit_(BufferLimit) {}
  ~OutputStream() { Flush(); }
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;

  void Write(const std::string& Bytes);
  // Writes what waits in the buffer. After a failure nothing more is written.
  void Flush();
  bool Failed() const { return error_ != 0; }
  // The system's reason for the first failure.
  std::string ErrorText() const;

 private:
  int fd_;
  size_t limit_;
  std::string pending_;
  int error_ = 0;
};
