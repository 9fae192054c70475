#include "search/SearchEngine.h"

#include "search/ContentMatch.h"

#include <algorithm>
#include <functional>

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '\\') return folder + name;
  return folder + '\\' + name;
}

TSearchEngine::TSearchEngine(TFileSystem& fileSystem, const TFormatSettings& formatSettings,
                             const TCodePage& codePage)
    : FFileSystem(fileSystem), FFormatSettings(formatSettings), FCodePage(codePage),
      FLineBuffer(fileSystem) {}

TSearchOutcome TSearchEngine::Search(const TSearchRequest& request, TSearchProgress* progress) {
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
  ScanFolder(FSearchRequest.Folder, FSearchRequest.Mask);
  return FStopped ? soStopped : soCompleted;
}

void TSearchEngine::ScanFolder(const std::string& folder, const std::string& mask) {
  FMask.reset();
  ScanListing(FFileSystem.FindFirst(JoinPath(folder, "*.*")), folder, mask);
}

void TSearchEngine::ScanListing(const std::unique_ptr<TFolderListing>& listing,
                                const std::string& folder, const std::string& mask) {
  if (!listing) return;
  FPath.emplace_back().Folder = folder;
  struct TPop {
    std::vector<TPathFolder>& Path;
    ~TPop() { Path.pop_back(); }
  } pop{FPath};
  TSearchRec entry;
  while (!Stopped() && listing->Next(entry)) {
    if (entry.Name.starts_with('.')) continue; // ".", ".." and every dot name
    if (entry.Attr & faDirectory)
      ScanSubfolder(*listing, entry, folder, mask);
    else if (NameMatches(entry.Name, mask) && FileContainsText(*listing, entry, folder) &&
             listing->ReadDetails(entry))
      AddFoundFile(entry, folder);
  }
}

// A link back to a folder of the current path would be walked without end, and two such
// links make the walk exponential: it is passed over.
void TSearchEngine::ScanSubfolder(TFolderListing& listing, const TSearchRec& entry,
                                  const std::string& folder, const std::string& mask) {
  if (!FSearchRequest.IncludeSubfolders) return;
  const std::string path = JoinPath(folder, entry.Name);
  if ((entry.Attr & faSymLink) && LeadsBackOnPath(path)) return;
  ScanListing(listing.ListFolder(entry), path, mask);
}

// Once asked to stop, the walk asks nothing more and every level leaves at its next entry.
bool TSearchEngine::Stopped() {
  if (!FStopped && FProgress) FStopped = FProgress->StopRequested(FFoundFiles.size());
  return FStopped;
}

bool TSearchEngine::LeadsBackOnPath(const std::string& folder) {
  const std::optional<TFolderId> identity = FFileSystem.FolderIdentity(folder);
  if (!identity) return false;
  for (TPathFolder& level : FPath) {
    if (!level.IdentityRead) level.Identity = FFileSystem.FolderIdentity(level.Folder);
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

bool TSearchEngine::FileContainsText(TFolderListing& listing, const TSearchRec& entry,
                                     const std::string& folder) {
  if (FSearchRequest.Text.empty()) return true;
  if (FTextScan && FTextScan->Applies()) return ScanContains(listing, entry);
  try {
    FLineBuffer.LoadLines(JoinPath(folder, entry.Name));
  } catch (...) { // whatever stops the load, the file is simply not found
    return false;
  }
  return LinesContainText(FLineBuffer.Lines(), FNeedle, FCodePage);
}

// Read in blocks up to the first match or NUL: a file is never held whole, so one too large
// for memory is searched like any other. A read that fails ends the text read so far, and so
// does a stop between two blocks: the file is then not found. The bytes come first, so every
// file they hold is found as before; only where they fail is a Unicode file read again, decoded.
bool TSearchEngine::ScanContains(TFolderListing& listing, const TSearchRec& entry) {
  try {
    const std::unique_ptr<TOpenFile> file = listing.OpenEntry(entry);
    if (!file) return false;
    TFormProbe probe(FUnicodeRule->ChecksUtf8());
    bool ended = false; // a read gave fewer bytes than asked: no read is spent after the end
    const bool found = FTextScan->Contains([&](char* buffer, size_t size) {
      const int64_t count = ended || Stopped() ? 0 : file->Read(buffer, size);
      ended = count < static_cast<int64_t>(size);
      const size_t read = static_cast<size_t>(std::max<int64_t>(count, 0));
      probe.Add(std::string_view(buffer, read));
      return read;
    });
    return (found || DecodedContains(listing, entry, probe.Form())) && !file->HeldElsewhere();
  } catch (...) {
    return false;
  }
}

namespace {
// A file whose text ends where a stop is asked for, as the byte scan's does.
class TStoppableFile final : public TOpenFile {
public:
  TStoppableFile(TOpenFile& file, std::function<bool()> stopped)
      : FFile(file), FStopped(std::move(stopped)) {}
  int64_t Read(char* buffer, size_t count) override {
    return FStopped() ? 0 : FFile.Read(buffer, count);
  }

private:
  TOpenFile& FFile;
  std::function<bool()> FStopped;
};
} // namespace

bool TSearchEngine::DecodedContains(TFolderListing& listing, const TSearchRec& entry,
                                    TTextForm form) {
  if (form == tfAnsi || Stopped()) return false;
  const std::unique_ptr<TOpenFile> file = listing.OpenEntry(entry);
  if (!file) return false;
  TStoppableFile stoppable(*file, [this] { return Stopped(); });
  return FUnicodeRule->ReadsDecoded(form, stoppable);
}

void TSearchEngine::AddFoundFile(const TSearchRec& entry, const std::string& folder) {
  auto record = std::make_unique<TInfoFic>();
  record->Index = static_cast<int32_t>(FFoundFiles.size()) + 1;
  record->Name = entry.Name;
  record->Folder = folder;
  record->Size = static_cast<int64_t>(entry.Size);
  record->Time = entry.Time;
  record->DateText = FormatFileTime(record->Time, FFormatSettings);
  FFoundFiles.push_back(std::move(record));
}

void TSearchEngine::SetFormatSettings(const TFormatSettings& formatSettings) {
  FFormatSettings = formatSettings;
}
