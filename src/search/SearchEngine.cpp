#include "search/SearchEngine.h"

#include "search/ContentMatch.h"

#include <algorithm>

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
  // An empty folder is the root of the current drive, as "\" reads.
  ScanFolder(FSearchRequest.Folder,
             nativeFolder ? *nativeFolder : FFileSystem.NativePath(JoinPath(request.Folder, "")),
             FSearchRequest.Mask);
  return FStopped ? soStopped : soCompleted;
}

void TSearchEngine::ScanFolder(const std::string& folder, const TNativeName& native,
                               const std::string& mask) {
  FMask.reset();
  ScanListing(FFileSystem.ListFolder(native), folder, native, mask);
}

void TSearchEngine::ScanListing(const std::unique_ptr<TFolderListing>& listing,
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
    else if (NameMatches(entry.Name, mask) && FileContainsText(*listing, entry) &&
             listing->ReadDetails(entry))
      AddFoundFile(*listing, entry, folder);
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

bool TSearchEngine::FileContainsText(TFolderListing& listing, const TSearchRec& entry) {
  if (FSearchRequest.Text.empty()) return true;
  if (FTextScan && FTextScan->Applies()) return ScanContains(listing, entry);
  try {
    FLineBuffer.LoadLines(listing.NativePath(entry), entry.Name);
  } catch (...) { // whatever stops the load, the file is simply not found
    return false;
  }
  return LinesContainText(FLineBuffer.Lines(), FNeedle, FCodePage);
}

// Read in blocks up to the first match or NUL: a file is never held whole, so one too large
// for memory is searched like any other. A read that fails ends the text read so far, and so
// does a stop between two blocks: the file is then not found.
bool TSearchEngine::ScanContains(TFolderListing& listing, const TSearchRec& entry) {
  try {
    const std::unique_ptr<TOpenFile> file = listing.OpenEntry(entry);
    if (!file) return false;
    bool ended = false; // a read gave fewer bytes than asked: no read is spent after the end
    return FTextScan->Contains([&](char* buffer, size_t size) {
      const int64_t count = ended || Stopped() ? 0 : file->Read(buffer, size);
      ended = count < static_cast<int64_t>(size);
      return static_cast<size_t>(std::max<int64_t>(count, 0));
    }) && !file->HeldElsewhere();
  } catch (...) {
    return false;
  }
}

void TSearchEngine::AddFoundFile(TFolderListing& listing, const TSearchRec& entry,
                                 const std::string& folder) {
  auto record = std::make_unique<TInfoFic>();
  record->Index = static_cast<int32_t>(FFoundFiles.size()) + 1;
  record->Name = entry.Name;
  record->Folder = folder;
  record->Size = static_cast<int64_t>(entry.Size);
  record->Time = entry.Time;
  record->DateText = FormatFileTime(record->Time, FFormatSettings);
  record->NativePath = listing.NativePath(entry);
  FFoundFiles.push_back(std::move(record));
}

void TSearchEngine::SetFormatSettings(const TFormatSettings& formatSettings) {
  FFormatSettings = formatSettings;
}
