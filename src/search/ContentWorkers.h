#pragma once
// Worker threads that open, read and decide the files the walk lists, while the walk goes on.
// The walk takes the answers back in the order it handed the files in, so that what it makes of
// them is exactly what one thread would make.
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "search/StoppableFile.h"
#include "search/TextScan.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class TContentWorkers {
public:
  // What a thread made of a file: anFoundComplete when it also completed the file's entry.
  enum TAnswer : uint8_t { anPending, anNo, anFound, anFoundComplete };
  // Decides one opened file with the scan of the thread that runs it, and may complete the
  // entry it was opened for; never raises. A file that cannot be opened is anNo.
  using TDecide = std::function<TAnswer(TTextScan& scan, TOpenFile& file, TSearchRec& entry)>;

  // Threads that read, the caller's included: one a core, at most 8, since past that reading
  // small files is the disk's and the kernel's work.
  static unsigned DefaultThreads();

  // count workers beside the caller, which wait for files from one search after another;
  // page must outlive them.
  TContentWorkers(unsigned count, const TCodePage& page, TDecide decide);
  // Stops the workers: a file being read is left at its next block.
  ~TContentWorkers();
  TContentWorkers(const TContentWorkers&) = delete;
  TContentWorkers& operator=(const TContentWorkers&) = delete;

  unsigned Count() const { return static_cast<unsigned>(FThreads.size()); }

  // A search for text begins: each worker makes its scan of it before its next file.
  void Begin(std::string_view text);
  // The file that listing gave as entry, whose path is native: the thread that decides it opens
  // it through listing and may complete entry. All three stay in place until its answer is
  // taken.
  void Submit(TFolderListing& listing, TSearchRec& entry, const TNativeName& native);
  // The answer for the oldest file handed in and not yet taken, once it has come; only with a
  // file not yet taken. With wait, the caller reads files no worker has taken, oldest first,
  // until that answer is there, and sleeps only while workers read the rest; without, it gives
  // nothing while the answer has not come. stopped is asked on the caller's thread, between
  // the blocks it reads and every StopCheckPeriod while it sleeps: true gives nothing at once.
  std::optional<TAnswer> TakeFirst(bool wait, const TStopCheck& stopped);
  // The search ends: the answers not taken are dropped, a file being read is left at its next
  // block, and no worker holds a file of it any more.
  void End();

private:
  struct TJob {
    TFolderListing* Listing;
    TSearchRec* Entry;
    const TNativeName* Native;
    TAnswer Answer = anPending;
  };
  // Files waiting before a worker is woken: on a loaded machine a worker woken for each file
  // waits for the processor longer than it reads when the walk is the slower side.
  static constexpr std::size_t WakeBatch = 32;
  // Well under the tenth of a second in which Échap must stop a search.
  static constexpr std::chrono::milliseconds StopCheckPeriod{20};

  void Work();
  bool Untaken() const { return FNextTicket < FFirstTicket + FJobs.size(); }
  void DecideNext(std::unique_lock<std::mutex>& lock, TTextScan& scan, const TStopCheck& stopped);
  TAnswer Decide(const TJob& job, TTextScan& scan, const TStopCheck& stopped);

  const TCodePage& FPage;
  const TDecide FDecide;
  std::mutex FLock;
  std::condition_variable FWork;        // files to read, or the end
  std::condition_variable FAnswered;    // the oldest file has its answer, or no worker reads
  std::string FText;                    // of the current search
  uint64_t FSearch = 0;                 // counts the searches begun
  std::optional<TTextScan> FCallerScan; // of the current search, for the caller's reads
  std::deque<TJob> FJobs;               // handed in, not taken back, oldest first
  uint64_t FFirstTicket = 0;            // the ticket of FJobs.front(); tickets count hand-ins
  uint64_t FNextTicket = 0;             // the oldest job no thread has taken
  unsigned FReading = 0;                // threads deciding a file
  std::atomic<bool> FStopping = false;  // reads give nothing, workers take no file
  const TStopCheck FWorkerStopped = [this] { return FStopping.load(std::memory_order_relaxed); };
  bool FQuit = false;
  std::vector<std::jthread> FThreads; // last: they start once the rest is ready
};
