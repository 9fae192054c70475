#include "search/SearchEngine.h"

#include "search/ContentMatch.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '\\') return folder + name;
  return folder + '\\' + name;
}

TSearchEngine::TSearchEngine(TFileSystem& fileSystem, const TFormatSettings& formatSettings,
                             const TCodePage& codePage)
    : FFileSystem(fileSystem), FFormatSettings(formatSettings), FCodePage(codePage),
      FLineBuffer(fileSystem) {}

TSearchOutcome TSearchEngine::Search(const TSearchRequest& request, TSearchProgress* progress,
                                     const std::optional<TNativeName>& nativeFolder) {
  FFoundFiles.clear();
  FStopped = false;
  FProgress = progress;
  struct TForget {
    TSearchProgress*& Progress;
    ~TForget() { Progress = nullptr; }
  } forget{FProgress};
  FSearchRequest = request;
  if (FSearchRequest.Mask.empty()) FSearchRequest.Mask = "*.*";
  FNeedle = FCodePage.UpperCase(FSearchRequest.Text);
  FTextScan.emplace(FSearchRequest.Text, FCodePage);
  FUnicodeRule.emplace(FSearchRequest.Text, FCodePage);
  FOnWorkers = FThreads > 1 && !FSearchRequest.Text.empty() && FTextScan->Applies();
  if (FOnWorkers && !FWorkers)
    FWorkers = std::make_unique<TContentWorkers>(
        FThreads - 1, FCodePage, [this](TTextScan& scan, TOpenFile& file, TSearchRec& entry) {
          return Decide(scan, *FUnicodeRule, file, entry);
        });
  if (FOnWorkers) FWorkers->Begin(FSearchRequest.Text);
  // On every way out the answers not taken are dropped and the workers let go of the files.
  struct TEnd {
    TSearchEngine& Engine;
    ~TEnd() {
      if (Engine.FOnWorkers) Engine.FWorkers->End();
      Engine.FOnWorkers = false;
      Engine.FPending.clear();
    }
  } end{*this};
  // An empty folder is the root of the current drive, as "\" reads.
  ScanFolder(FSearchRequest.Folder,
             nativeFolder ? *nativeFolder : FFileSystem.NativePath(JoinPath(request.Folder, "")),
             FSearchRequest.Mask);
  if (FOnWorkers) TakeAnswers(0);
  return FStopped ? soStopped : soCompleted;
}

void TSearchEngine::SetThreads(unsigned threads) {
  FThreads = threads;
  if (FWorkers && FWorkers->Count() != threads - 1) FWorkers.reset();
}

void TSearchEngine::ScanFolder(const std::string& folder, const TNativeName& native,
                               const std::string& mask) {
  FMask.reset();
  ScanListing(FFileSystem.ListFolder(native), folder, native, mask);
}

void TSearchEngine::ScanListing(const std::shared_ptr<TFolderListing>& listing,
                                const std::string& folder, TNativeName native,
                                const std::string& mask) {
  if (!listing) return;
  FPath.emplace_back().Native = std::move(native);
  struct TPop {
    std::vector<TPathFolder>& Path;
    ~TPop() { Path.pop_back(); }
  } pop{FPath};
  TSearchRec entry;
  while (!Stopped() && listing->Next(entry)) {
    if (entry.Name.starts_with('.')) continue; // ".", ".." and every dot name
    if (entry.Attr & faDirectory)
      ScanSubfolder(*listing, entry, folder, mask);
    else if (NameMatches(entry.Name, mask))
      ScanFile(listing, entry, folder);
  }
}

// A link back to a folder of the current path would be walked without end, and two such
// links make the walk exponential: it is passed over.
void TSearchEngine::ScanSubfolder(TFolderListing& listing, const TSearchRec& entry,
                                  const std::string& folder, const std::string& mask) {
  if (!FSearchRequest.IncludeSubfolders) return;
  TNativeName native = listing.NativePath(entry);
  if ((entry.Attr & faSymLink) && LeadsBackOnPath(native)) return;
  ScanListing(listing.ListFolder(entry), JoinPath(folder, entry.Name), std::move(native), mask);
}

// Once asked to stop, the walk asks nothing more and every level leaves at its next entry.
bool TSearchEngine::Stopped() {
  if (!FStopped && FProgress) FStopped = FProgress->StopRequested(FFoundFiles.size());
  return FStopped;
}

bool TSearchEngine::LeadsBackOnPath(const TNativeName& folder) {
  const std::optional<TFolderId> identity = FFileSystem.FolderIdentity(folder);
  if (!identity) return false;
  for (TPathFolder& level : FPath) {
    if (!level.IdentityRead) level.Identity = FFileSystem.FolderIdentity(level.Native);
    level.IdentityRead = true;
    if (level.Identity == identity) return true;
  }
  return false;
}

// Compiled at the first file, so that an invalid mask raises only where there is a name to
// test, and once a walk: a mask that fails to compile is not kept and raises again.
bool TSearchEngine::NameMatches(const std::string& name, const std::string& mask) {
  if (!FMask) FMask.emplace(mask, FCodePage);
  return FMask->MatchName(name);
}

void TSearchEngine::ScanFile(const std::shared_ptr<TFolderListing>& listing, TSearchRec& entry,
                             const std::string& folder) {
  if (FOnWorkers) {
    HandToWorkers(listing, entry, folder);
    return;
  }
  TNativeName native = listing->NativePath(entry);
  if (Completed(FileContainsText(*listing, entry, folder, native), *listing, entry))
    AddFoundFile(entry, folder, std::move(native));
}

// Whether the answer finds the file, with its entry complete: from the open file, or else from
// its listing, which says no for a file gone since it was listed.
bool TSearchEngine::Completed(TContentWorkers::TAnswer answer, TFolderListing& listing,
                              TSearchRec& entry) {
  return answer == TContentWorkers::anFoundComplete ||
         (answer == TContentWorkers::anFound && listing.ReadDetails(entry));
}

// The file is opened, read and closed on the thread that decides it, while its listing lives.
void TSearchEngine::HandToWorkers(const std::shared_ptr<TFolderListing>& listing,
                                  const TSearchRec& entry, const std::string& folder) {
  TakeAnswers(MostPending - 1);
  if (FStopped) return;
  FPending.push_back({entry, folder, listing->NativePath(entry), listing});
  TPendingFile& pending = FPending.back();
  FWorkers->Submit(*pending.Listing, pending.Entry, pending.Native);
}

// Makes the records of the answers that have come, in walk order, waiting for the oldest while
// more than mostLeft files are pending. Progress is told each new count, and a stop drops the
// answers still to come.
void TSearchEngine::TakeAnswers(std::size_t mostLeft) {
  const TStopCheck stopped = [this] { return Stopped(); };
  while (!Stopped() && !FPending.empty()) {
    const std::optional<TContentWorkers::TAnswer> answer =
        FWorkers->TakeFirst(FPending.size() > mostLeft, stopped);
    if (!answer || FStopped) return; // an answer that comes with the stop is dropped too
    TPendingFile pending = std::move(FPending.front());
    FPending.pop_front();
    if (Completed(*answer, *pending.Listing, pending.Entry))
      AddFoundFile(pending.Entry, pending.Folder, std::move(pending.Native));
  }
}

TContentWorkers::TAnswer TSearchEngine::FileContainsText(TFolderListing& listing, TSearchRec& entry,
                                                         const std::string& folder,
                                                         const TNativeName& native) {
  if (FSearchRequest.Text.empty()) return TContentWorkers::anFound;
  if (FTextScan && FTextScan->Applies()) return ScanContains(listing, entry, native);
  try {
    FLineBuffer.LoadLines({native, JoinPath(folder, entry.Name)});
  } catch (...) { // whatever stops the load, the file is simply not found
    return TContentWorkers::anNo;
  }
  return LinesContainText(FLineBuffer.Lines(), FNeedle, FCodePage) ? TContentWorkers::anFound
                                                                   : TContentWorkers::anNo;
}

TContentWorkers::TAnswer TSearchEngine::ScanContains(TFolderListing& listing, TSearchRec& entry,
                                                     const TNativeName& native) {
  try {
    const std::unique_ptr<TOpenFile> file = listing.OpenEntry(entry, native);
    if (!file) return TContentWorkers::anNo;
    const TStopCheck stopped = [this] { return Stopped(); };
    TStoppableFile stoppable(*file, stopped);
    return Decide(*FTextScan, *FUnicodeRule, stoppable, entry);
  } catch (...) {
    return TContentWorkers::anNo;
  }
}

TContentWorkers::TAnswer TSearchEngine::Decide(TTextScan& scan, const TUnicodeRule& rule,
                                               TOpenFile& file, TSearchRec& entry) {
  if (!ScanDecides(scan, rule, file)) return TContentWorkers::anNo;
  return file.ReadDetails(entry) ? TContentWorkers::anFoundComplete : TContentWorkers::anFound;
}

namespace {
// A file that one read gave whole, read again from a copy of its bytes: the decoded reading of
// a small Unicode file then costs no second reading from the disk.
class TBytesFile : public TOpenFile {
public:
  explicit TBytesFile(std::string_view bytes) : FBytes(bytes) {}
  int64_t Read(char* buffer, size_t count) override {
    const size_t given = std::min(count, FBytes.size() - FAt);
    std::copy_n(FBytes.data() + FAt, given, buffer);
    FAt += given;
    return static_cast<int64_t>(given);
  }
  bool Rewind() override {
    FAt = 0;
    return true;
  }

private:
  std::string FBytes;
  size_t FAt = 0;
};

// Whether the decoded text holds the text: decoded from whole, the file's bytes when its first
// read gave them all, else from the file read again. whole lies in the scan's buffer, which
// the decoded reading fills, hence the copy.
bool DecodedHolds(const TUnicodeRule& rule, TTextForm form, TOpenFile& file,
                  std::optional<std::string_view> whole, TTextScan& scan) {
  if (!whole) return file.Rewind() && rule.ReadsDecoded(form, file, scan);
  TBytesFile again(*whole);
  return rule.ReadsDecoded(form, again, scan);
}
} // namespace

// Read in blocks up to the first match or NUL: a file is never held whole, so one too large
// for memory is searched like any other. The bytes come first, so every file they hold is
// found as before; only where they fail is a Unicode file's text decoded.
bool TSearchEngine::ScanDecides(TTextScan& scan, const TUnicodeRule& rule, TOpenFile& file) {
  try {
    TFormProbe probe(rule.ChecksUtf8());
    bool ended = false; // a read gave fewer bytes than asked: no read is spent after the end
    bool first = true;
    std::optional<std::string_view> whole; // still in the scan's buffer once the scan is over
    const bool found = scan.Contains([&](char* buffer, size_t size) {
      const int64_t count = ended ? 0 : file.Read(buffer, size);
      ended = count < static_cast<int64_t>(size);
      const size_t read = static_cast<size_t>(std::max<int64_t>(count, 0));
      if (first && ended) whole = std::string_view(buffer, read);
      first = false;
      probe.Add(std::string_view(buffer, read));
      return read;
    });
    const TTextForm form = probe.Form();
    const bool decoded =
        !found && rule.AddsFinds(form) && DecodedHolds(rule, form, file, whole, scan);
    return (found || decoded) && !file.HeldElsewhere();
  } catch (...) {
    return false;
  }
}

void TSearchEngine::AddFoundFile(const TSearchRec& entry, const std::string& folder,
                                 TNativeName native) {
  auto record = std::make_unique<TInfoFic>();
  record->Index = static_cast<int32_t>(FFoundFiles.size()) + 1;
  record->Name = entry.Name;
  record->Folder = folder;
  record->Size = static_cast<int64_t>(entry.Size);
  record->Time = entry.Time;
  record->DateText = DateText(record->Time);
  record->NativePath = std::move(native);
  FFoundFiles.push_back(std::move(record));
}

// Files saved together share their time, and writing its text costs more than the rest of a
// record: the last texts written are kept, one a slot, the slot chosen by the time.
const std::string& TSearchEngine::DateText(int32_t time) {
  TDateText& slot = FDateTexts[static_cast<uint32_t>(time) * 2654435761u >> (32 - DateSlotBits)];
  if (!slot.Written || slot.Time != time) {
    slot.Text = FormatFileTime(time, FFormatSettings); // raises before the slot changes
    slot.Time = time;
    slot.Written = true;
  }
  return slot.Text;
}

void TSearchEngine::SetFormatSettings(const TFormatSettings& formatSettings) {
  FFormatSettings = formatSettings;
  for (TDateText& slot : FDateTexts)
    slot.Written = false;
}
