#include "search/SearchEngine.h"

#include "search/ContentMatch.h"

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '\\') return folder + name;
  return folder + '\\' + name;
}

TSearchEngine::TSearchEngine(TFileSystem& fileSystem, const TFormatSettings& formatSettings,
                             const TCodePage& codePage)
    : FFileSystem(fileSystem), FFormatSettings(formatSettings), FCodePage(codePage),
      FLineBuffer(fileSystem) {}

void TSearchEngine::Search(const TSearchRequest& request) {
  FFoundFiles.clear();
  FSearchRequest = request;
  if (FSearchRequest.Mask.empty()) FSearchRequest.Mask = "*.*";
  FNeedle = FCodePage.UpperCase(FSearchRequest.Text);
  ScanFolder(FSearchRequest.Folder, FSearchRequest.Mask);
}

void TSearchEngine::ScanFolder(const std::string& folder, const std::string& mask) {
  const std::unique_ptr<TFolderListing> listing = FFileSystem.FindFirst(JoinPath(folder, "*.*"));
  if (!listing) return;
  FPath.emplace_back().Folder = folder;
  struct TPop {
    std::vector<TPathFolder>& Path;
    ~TPop() { Path.pop_back(); }
  } pop{FPath};
  TSearchRec entry;
  while (listing->Next(entry)) {
    if (entry.Name.starts_with('.')) continue; // ".", ".." and every dot name
    if (entry.Attr & faDirectory)
      ScanSubfolder(folder, entry, mask);
    else if (MatchesMask(entry.Name, mask) && FileContainsText(JoinPath(folder, entry.Name)))
      AddFoundFile(entry, folder);
  }
}

// A link back to a folder of the current path would be walked without end, and two such
// links make the walk exponential: it is passed over.
void TSearchEngine::ScanSubfolder(const std::string& folder, const TSearchRec& entry,
                                  const std::string& mask) {
  if (!FSearchRequest.IncludeSubfolders) return;
  const std::string path = JoinPath(folder, entry.Name);
  if ((entry.Attr & faSymLink) && LeadsBackOnPath(path)) return;
  ScanFolder(path, mask);
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

// Compiled at the first file tested, so that an invalid mask is reported only when a file is
// met, and then once for the whole walk.
bool TSearchEngine::MatchesMask(const std::string& name, const std::string& mask) {
  if (!FMask || FMaskText != mask) {
    FMask.reset();
    FMask.emplace(mask, FCodePage);
    FMaskText = mask;
  }
  return FMask->MatchName(name);
}

bool TSearchEngine::FileContainsText(const std::string& path) {
  if (FSearchRequest.Text.empty()) return true;
  try {
    FLineBuffer.LoadLines(path);
  } catch (...) { // whatever stops the load, the file is simply not found
    return false;
  }
  return LinesContainText(FLineBuffer.Lines(), FNeedle, FCodePage);
}

void TSearchEngine::AddFoundFile(const TSearchRec& entry, const std::string& folder) {
  auto record = std::make_unique<TInfoFic>();
  record->Index = static_cast<int32_t>(FFoundFiles.size()) + 1;
  record->Name = entry.Name;
  record->Folder = folder;
  record->Size = static_cast<int32_t>(static_cast<uint32_t>(entry.Size)); // low 32 bits
  record->Time = entry.Time;
  record->DateText = FormatFileTime(record->Time, FFormatSettings);
  FFoundFiles.push_back(std::move(record));
}

void TSearchEngine::SetFormatSettings(const TFormatSettings& formatSettings) {
  FFormatSettings = formatSettings;
}
