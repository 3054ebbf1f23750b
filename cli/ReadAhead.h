#pragma once
// The first bytes of the files of a run, read on a second thread while the files before
// them are analysed. Reading is mostly the system's work and the analysis is the program's,
// so the two overlap. Files are read a batch at a time into a ring of two batches, so that
// the threads meet once a batch rather than once a file.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "LoadFile.h"

class ReadAhead {
 public:
  // Starts reading the first Bytes bytes of each of Files, in order; a file whose name the
  // analysis refuses unread is not read here either. Files must outlive the object.
  ReadAhead(const std::vector<std::string>& Files, int32_t Bytes);
  // Stops the reading, which may not have reached the last file.
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // The read of Files[Index], waiting for it when it is not done yet. Indexes come in
  // order, each once, from 0; the bytes stay valid until the next call.
  FileStart Take(size_t Index);

 private:
  static constexpr size_t kBatch = 32;
  static constexpr size_t kSlots = 2 * kBatch;

  void ReadAll();  // the reading thread
  uint8_t* Slot(size_t Index) { return bytes_.get() + (Index % kSlots) * bytesPerSlot_; }

  const std::vector<std::string>& files_;
  const size_t bytesPerSlot_;
  std::unique_ptr<uint8_t[]> bytes_;
  std::vector<int32_t> counts_;  // of each slot: bytes read, or -1

  std::mutex mutex_;
  std::condition_variable changed_;
  size_t read_ = 0;       // files read: their slots hold them
  size_t taken_ = 0;      // files whose slots may be read into again
  bool stop_ = false;     // the run ends early
  size_t knownRead_ = 0;  // read_ as the analysing thread last saw it

  std::thread reader_;  // last: started once everything above is set up
};
