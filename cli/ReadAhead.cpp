#include "ReadAhead.h"

ReadAhead::ReadAhead(const std::vector<std::string>& Files, int32_t Bytes)
    : files_(Files),
      bytesPerSlot_(static_cast<size_t>(Bytes)),
      bytes_(new uint8_t[kSlots * bytesPerSlot_]),
      counts_(kSlots, -1),
      reader_(&ReadAhead::ReadAll, this) {}

ReadAhead::~ReadAhead() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  reader_.join();
}

void ReadAhead::ReadAll() {
  for (size_t first = 0; first < files_.size(); first += kBatch) {
    {
      // The batch goes where the batch before the last one was: wait until it is taken.
      std::unique_lock<std::mutex> lock(mutex_);
      read_ = first;
      changed_.notify_all();
      changed_.wait(lock, [&] { return stop_ || first + kBatch <= taken_ + kSlots; });
      if (stop_) return;
    }
    const size_t end = std::min(first + kBatch, files_.size());
    for (size_t i = first; i < end; ++i) {
      const std::string& file = files_[i];
      counts_[i % kSlots] =
          HasJpgName(file) ? ReadFileStart(file, Slot(i), static_cast<int32_t>(bytesPerSlot_)) : -1;
    }
  }
  const std::lock_guard<std::mutex> lock(mutex_);
  read_ = files_.size();
  changed_.notify_all();
}

FileStart ReadAhead::Take(size_t Index) {
  // The slots of the files before Index are free again; the reader hears of it at the
  // start of each batch, or when this thread has to wait.
  if (Index % kBatch == 0 || Index >= knownRead_) {
    std::unique_lock<std::mutex> lock(mutex_);
    taken_ = Index;
    changed_.notify_all();
    changed_.wait(lock, [&] { return read_ > Index; });
    knownRead_ = read_;
  }
  return FileStart{Slot(Index), counts_[Index % kSlots]};
}
