#include "search/ContentWorkers.h"

#include <algorithm>

namespace {

// A file whose reading ends early once the workers stop: a worker in the middle of a large
// file gives up at its next block instead of holding the end of a search.
class TStoppableFile : public TOpenFile {
public:
  TStoppableFile(TOpenFile& file, const std::atomic<bool>& stopping)
      : FFile(file), FStopping(stopping) {}
  int64_t Read(char* buffer, size_t count) override {
    return FStopping.load(std::memory_order_relaxed) ? 0 : FFile.Read(buffer, count);
  }
  bool HeldElsewhere() override { return FFile.HeldElsewhere(); }

private:
  TOpenFile& FFile;
  const std::atomic<bool>& FStopping;
};

} // namespace

unsigned TContentWorkers::DefaultThreads() {
  return std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
}

TContentWorkers::TContentWorkers(unsigned count, const TCodePage& page, TDecide decide)
    : FPage(page), FDecide(std::move(decide)) {
  for (unsigned n = 0; n < count; ++n)
    FThreads.emplace_back([this] { Work(); });
}

TContentWorkers::~TContentWorkers() {
  {
    const std::lock_guard lock(FLock);
    FQuit = true;
    FStopping = true;
  }
  FWork.notify_all();
  FThreads.clear(); // joins them, before the jobs and their files go
}

void TContentWorkers::Begin(std::string_view text) {
  FCallerScan.emplace(text, FPage);
  const std::lock_guard lock(FLock);
  FText = text;
  ++FSearch;
}

void TContentWorkers::Submit(std::unique_ptr<TOpenFile> file) {
  std::size_t untaken;
  {
    const std::lock_guard lock(FLock);
    FJobs.push_back({std::move(file)});
    untaken = FFirstTicket + FJobs.size() - FNextTicket;
  }
  if (untaken >= WakeBatch) FWork.notify_one();
}

std::optional<bool> TContentWorkers::TakeFirst(bool wait) {
  std::unique_lock lock(FLock);
  while (wait && FJobs.front().Answer == anPending) {
    if (Untaken())
      DecideNext(lock, *FCallerScan);
    else
      FAnswered.wait(lock);
  }
  const TAnswer answer = FJobs.front().Answer;
  if (answer == anPending) return std::nullopt;
  FJobs.pop_front();
  ++FFirstTicket;
  return answer == anYes;
}

void TContentWorkers::End() {
  std::unique_lock lock(FLock);
  FStopping = true;
  FAnswered.wait(lock, [this] { return FReading == 0; });
  FJobs.clear();
  FFirstTicket = FNextTicket = 0;
  FStopping = false;
}

void TContentWorkers::Work() {
  std::optional<TTextScan> scan;
  uint64_t scanSearch = 0; // the search scan is made for; Begin comes before any file
  std::unique_lock lock(FLock);
  for (;;) {
    FWork.wait(lock, [this] { return FQuit || (!FStopping && Untaken()); });
    if (FQuit) return;
    if (scanSearch != FSearch) { // made outside the lock, then the wait is tried again
      scanSearch = FSearch;
      const std::string text = FText;
      lock.unlock();
      scan.emplace(text, FPage);
      lock.lock();
      continue;
    }
    DecideNext(lock, *scan);
  }
}

// Reads the oldest file no thread has taken, outside the lock, and closes it there.
void TContentWorkers::DecideNext(std::unique_lock<std::mutex>& lock, TTextScan& scan) {
  const uint64_t ticket = FNextTicket++;
  std::unique_ptr<TOpenFile> file = std::move(FJobs[ticket - FFirstTicket].File);
  ++FReading;
  lock.unlock();
  const bool found = DecideStoppable(scan, *file);
  file.reset();
  lock.lock();
  --FReading;
  // Answers are taken oldest first, and End waits for this one: the job is still there.
  FJobs[ticket - FFirstTicket].Answer = found ? anYes : anNo;
  if (ticket == FFirstTicket || FReading == 0) FAnswered.notify_one();
}

bool TContentWorkers::DecideStoppable(TTextScan& scan, TOpenFile& file) {
  TStoppableFile stoppable(file, FStopping);
  return FDecide(scan, stoppable);
}
