#pragma once
// The first bytes of the files of a run, read by two threads while the analysis goes on
// in turn. Reading is mostly the system's work and the analysis is the program's, so they
// overlap: a second thread reads the files ahead of the analysis, and the analysing thread,
// when the file it needs is not read yet, reads the next unclaimed file itself rather than
// wait. Files are read into a ring of slots; a file is claimed by one thread and read once.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "LoadFile.h"

class ReadAhead {
 public:
  // Starts reading the first Bytes bytes of each of Files, in order; a file whose name the
  // analysis refuses unread is not read. Files must outlive the object.
  ReadAhead(const std::vector<std::string>& Files, int32_t Bytes);
  // Stops the reading, which may not have reached the last file.
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // True when the process may run on more than one processor: on one, a second thread
  // only takes turns with the first.
  static bool Worthwhile();

  // The read of Files[Index]; its bytes stay valid until the next call. Nothing (Bytes
  // null) when nobody has claimed the file yet: the caller then reads it itself, straight
  // to where it is wanted. Indexes come in order, each once, from 0.
  FileStart Take(size_t Index);

 private:
  static constexpr size_t kSlots = 64;
  static constexpr size_t kNone = SIZE_MAX;

  // The next file nobody has claimed, now claimed by the caller, when its slot is free;
  // kNone otherwise.
  size_t Claim();
  // Reads the claimed file Index into its slot and marks it read.
  void Read(size_t Index);
  void ReadAll();  // the reading thread
  size_t SlotOf(size_t Index) const { return Index % kSlots; }

  const std::vector<std::string>& files_;
  const size_t bytesPerSlot_;
  std::unique_ptr<uint8_t[]> bytes_;
  std::unique_ptr<int32_t[]> counts_;              // of each slot: bytes read, or -1
  std::unique_ptr<std::atomic<size_t>[]> readAs_;  // of each slot: 1 + the file read in it

  std::atomic<size_t> next_{0};   // files from here on are unclaimed
  std::atomic<size_t> taken_{0};  // files before this one are analysed: their slots are free
  std::atomic<bool> stop_{false};

  std::thread reader_;  // last: started once everything above is set up
};
