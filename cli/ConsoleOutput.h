#pragma once
// exif-report's stdout and stderr, written in large pieces. When both lead to the same
// place (one terminal, or one file or pipe as with 2>&1), messages join the report bytes
// in one buffer and so keep their order without a write or a flush of their own; otherwise
// each stream has its own buffer. The first failure of stdout is remembered, so that a
// full disk or a closed pipe is reported instead of lost.

#include <string>

class ConsoleOutput {
 public:
  // Bytes wait until more than Limit of them are pending (see Written).
  ConsoleOutput(int OutFd, int ErrFd, size_t Limit);
  ~ConsoleOutput() { Flush(); }
  ConsoleOutput(const ConsoleOutput&) = delete;
  ConsoleOutput& operator=(const ConsoleOutput&) = delete;

  // The bytes waiting for stdout: append to it, then call Written. Nothing is written
  // between two calls of Written, so bytes may also be taken back meanwhile.
  std::string& Out() { return out_; }
  // The bytes waiting for stderr; the stdout buffer itself when both lead to one place.
  std::string& Err() { return shared_ ? out_ : err_; }
  // Writes the pending bytes when more than the limit wait.
  void Written();
  // Writes every pending byte, stdout's first.
  void Flush();

  bool Failed() const { return error_ != 0; }
  // The system's reason for the first failure of stdout.
  std::string ErrorText() const;
  // Writes Message to stderr at once, after what waits for it; for the failure of stdout,
  // whose buffer is then of no use.
  void Complain(const std::string& Message);

 private:
  int outFd_;
  int errFd_;
  size_t limit_;
  bool shared_;
  std::string out_;
  std::string err_;
  int error_ = 0;
};
