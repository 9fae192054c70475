#include "search/ContentWorkers.h"

#include <algorithm>

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

void TContentWorkers::Submit(TFolderListing& listing, TSearchRec& entry,
                             const TNativeName& native) {
  std::size_t untaken;
  {
    const std::lock_guard lock(FLock);
    FJobs.push_back({&listing, &entry, &native});
    untaken = FFirstTicket + FJobs.size() - FNextTicket;
  }
  if (untaken >= WakeBatch) FWork.notify_one();
}

std::optional<TContentWorkers::TAnswer> TContentWorkers::TakeFirst(bool wait,
                                                                   const TStopCheck& stopped) {
  std::unique_lock lock(FLock);
  // The walk waits: it is no longer the slower side, and every worker may help, however few
  // files are left.
  if (wait && FJobs.front().Answer == anPending && Untaken()) FWork.notify_all();
  while (wait && FJobs.front().Answer == anPending) {
    if (Untaken()) {
      DecideNext(lock, *FCallerScan, stopped);
    } else if (FAnswered.wait_for(lock, StopCheckPeriod) == std::cv_status::timeout) {
      lock.unlock(); // the caller's check may take its time: the workers go on meanwhile
      const bool stop = stopped();
      lock.lock();
      if (stop) return std::nullopt;
    }
  }
  const TAnswer answer = FJobs.front().Answer;
  if (answer == anPending) return std::nullopt;
  FJobs.pop_front();
  ++FFirstTicket;
  return answer;
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
    DecideNext(lock, *scan, FWorkerStopped);
  }
}

// Decides the oldest file no thread has taken, outside the lock.
void TContentWorkers::DecideNext(std::unique_lock<std::mutex>& lock, TTextScan& scan,
                                 const TStopCheck& stopped) {
  const uint64_t ticket = FNextTicket++;
  TJob& job = FJobs[ticket - FFirstTicket]; // in place until its answer is taken
  ++FReading;
  lock.unlock();
  const TAnswer answer = Decide(job, scan, stopped);
  lock.lock();
  --FReading;
  // Answers are taken oldest first, and End waits for this one: the job is still there.
  job.Answer = answer;
  if (ticket == FFirstTicket || FReading == 0) FAnswered.notify_one();
}

// Opens the file here, and closes it before the answer is told.
TContentWorkers::TAnswer TContentWorkers::Decide(const TJob& job, TTextScan& scan,
                                                 const TStopCheck& stopped) {
  std::unique_ptr<TOpenFile> file;
  try {
    file = job.Listing->OpenEntry(*job.Entry, *job.Native);
  } catch (...) { // as on one thread: whatever stops the open, the file is not found
  }
  if (!file) return anNo;
  TStoppableFile stoppable(*file, stopped);
  return FDecide(scan, stoppable, *job.Entry);
}
