#include "ReadAhead.h"

#include <sched.h>

#include <chrono>

bool ReadAhead::Worthwhile() {
  cpu_set_t processors;
  return ::sched_getaffinity(0, sizeof processors, &processors) == 0 && CPU_COUNT(&processors) > 1;
}

ReadAhead::ReadAhead(const std::vector<std::string>& Files, int32_t Bytes)
    : files_(Files),
      bytesPerSlot_(static_cast<size_t>(Bytes)),
      bytes_(new uint8_t[kSlots * bytesPerSlot_]),
      counts_(new int32_t[kSlots]),
      readAs_(new std::atomic<size_t>[kSlots]()),
      reader_(&ReadAhead::ReadAll, this) {}

ReadAhead::~ReadAhead() {
  stop_.store(true);
  reader_.join();
}

size_t ReadAhead::Claim() {
  size_t index = next_.load();
  while (index < files_.size() && index < taken_.load(std::memory_order_acquire) + kSlots) {
    if (next_.compare_exchange_weak(index, index + 1)) return index;
  }
  return kNone;
}

void ReadAhead::Read(size_t Index) {
  const size_t slot = SlotOf(Index);
  const std::string& file = files_[Index];
  counts_[slot] = HasJpgName(file) ? ReadFileStart(file, bytes_.get() + slot * bytesPerSlot_,
                                                   static_cast<int32_t>(bytesPerSlot_))
                                   : -1;
  readAs_[slot].store(Index + 1, std::memory_order_release);
}

void ReadAhead::ReadAll() {
  // When every slot holds a file not analysed yet, the analysis is the slower side: the
  // thread then waits a little longer each time, up to a millisecond.
  std::chrono::microseconds pause(0);
  while (!stop_.load(std::memory_order_relaxed) && next_.load() < files_.size()) {
    const size_t index = Claim();
    if (index != kNone) {
      Read(index);
      pause = std::chrono::microseconds(0);
    } else {
      pause = std::min(std::chrono::microseconds(1000), pause * 2 + std::chrono::microseconds(10));
      std::this_thread::sleep_for(pause);
    }
  }
}

FileStart ReadAhead::Take(size_t Index) {
  taken_.store(Index, std::memory_order_release);
  const size_t slot = SlotOf(Index);
  // A file from the page cache is read in microseconds: the wait for one that the other
  // thread is reading starts by giving way to it, and only a slow read (a network share)
  // has this thread sleep, a little longer each time, rather than keep a processor busy.
  int turns = 0;
  std::chrono::microseconds pause(0);
  for (;;) {
    if (readAs_[slot].load(std::memory_order_acquire) == Index + 1) {
      return FileStart{bytes_.get() + slot * bytesPerSlot_, counts_[slot]};
    }
    // Not read yet. Unclaimed, it is read by the caller; claimed by the other thread, which
    // is reading it now, the next unclaimed file is read here meanwhile.
    size_t expected = Index;
    if (next_.compare_exchange_strong(expected, Index + 1)) return FileStart{};
    const size_t other = Claim();
    if (other != kNone) {
      Read(other);
    } else if (++turns < 100) {
      std::this_thread::yield();
    } else {
      pause = std::min(std::chrono::microseconds(1000), pause * 2 + std::chrono::microseconds(10));
      std::this_thread::sleep_for(pause);
    }
  }
}
