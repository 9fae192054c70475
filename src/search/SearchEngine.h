#pragma once
// The search: a walk of a folder tree that collects the files whose names match the mask
// and whose text contains the content text.
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "search/ContentWorkers.h"
#include "search/DateTimeFormat.h"
#include "search/InfoFic.h"
#include "search/LineBuffer.h"
#include "search/Masks.h"
#include "search/SearchProgress.h"
#include "search/TextScan.h"
#include "search/UnicodeRule.h"

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// folder + "\" + name, with no second "\" when folder already ends with one (C:\).
std::string JoinPath(const std::string& folder, const std::string& name);

// The four inputs of one search, captured when it starts.
struct TSearchRequest {
  std::string Folder; // a drive with its backslash (C:\), a folder without; empty for none
  std::string Mask;   // the whole text is one mask; empty stands for *.*
  std::string Text;   // empty finds every file whose name matches
  bool IncludeSubfolders = true;
};

// How a walk ended when no error left it.
enum TSearchOutcome { soCompleted, soStopped };

class TSearchEngine {
public:
  TSearchEngine(TFileSystem& fileSystem, const TFormatSettings& formatSettings,
                const TCodePage& codePage = TCodePage::Current());

  // Releases the last search's records, then walks request.Folder, which nativeFolder names
  // as the system does (the folder tree's node gives it; none: the folder's native path). An
  // invalid mask or an invalid file time leaves the walk with the records found so far; so
  // does progress when it asks to stop, and the outcome then says so. Contents are read on
  // Threads() threads, this one and workers; the records are the same whatever the count, and
  // progress is asked on this thread only.
  TSearchOutcome Search(const TSearchRequest& request, TSearchProgress* progress = nullptr,
                        const std::optional<TNativeName>& nativeFolder = std::nullopt);
  // Walks folder (native: the same as the system names it), depth-first when the request
  // includes subfolders, appending found files. Every listing and open goes through the
  // native names: a name shown alike names no other file, and leads nowhere outside.
  void ScanFolder(const std::string& folder, const TNativeName& native, const std::string& mask);
  // Whether the file that listing gave last as entry, in folder, whose native path is native,
  // holds the request's text on one line, in its bytes or, for a Unicode file, in its decoded
  // text; a file that cannot be read holds nothing. A file found may have its entry completed
  // from the open file. Never raises.
  TContentWorkers::TAnswer FileContainsText(TFolderListing& listing, TSearchRec& entry,
                                            const std::string& folder, const TNativeName& native);
  // The decision on one opened file that the walk or a worker makes: the text is in it before
  // its first NUL, or, where not, the file is Unicode and rule reads it decoded; and nobody
  // holds it exclusively. A read that fails ends the text read so far. Never raises.
  static bool ScanDecides(TTextScan& scan, const TUnicodeRule& rule, TOpenFile& file);

  unsigned Threads() const { return FThreads; }
  void SetThreads(unsigned threads);

  // Records made later are written with the new settings; those made keep their text.
  void SetFormatSettings(const TFormatSettings& formatSettings);

  TFoundFiles& FoundFiles() { return FFoundFiles; }
  const TFoundFiles& FoundFiles() const { return FFoundFiles; }
  TLineBuffer& LineBuffer() { return FLineBuffer; }
  const TSearchRequest& SearchRequest() const { return FSearchRequest; }

private:
  // A folder of the current path; its identity is asked for only when a link is met.
  struct TPathFolder {
    TNativeName Native;
    bool IdentityRead = false;
    std::optional<TFolderId> Identity;
  };

  // A file handed to the workers, waiting for its answer; its listing stays open until then
  // to open it and for ReadDetails. The deque keeps it in place for the worker.
  struct TPendingFile {
    TSearchRec Entry;
    std::string Folder;
    TNativeName Native; // the entry's path
    std::shared_ptr<TFolderListing> Listing;
  };
  // Files handed to the workers at most: enough to keep them busy while the walk lists
  // folders.
  static constexpr std::size_t MostPending = 128;

  // The listing's folder is opened from its parent's, which spares the system the path.
  void ScanListing(const std::shared_ptr<TFolderListing>& listing, const std::string& folder,
                   TNativeName native, const std::string& mask);
  void ScanSubfolder(TFolderListing& listing, const TSearchRec& entry, const std::string& folder,
                     const std::string& mask);
  bool LeadsBackOnPath(const TNativeName& folder);
  bool Stopped();
  bool NameMatches(const std::string& name, const std::string& mask);
  void ScanFile(const std::shared_ptr<TFolderListing>& listing, TSearchRec& entry,
                const std::string& folder);
  void HandToWorkers(const std::shared_ptr<TFolderListing>& listing, const TSearchRec& entry,
                     const std::string& folder);
  void TakeAnswers(std::size_t mostLeft);
  TContentWorkers::TAnswer ScanContains(TFolderListing& listing, TSearchRec& entry,
                                        const TNativeName& native);
  // ScanDecides, and for a file found, its entry completed from the open file where it can be.
  static TContentWorkers::TAnswer Decide(TTextScan& scan, const TUnicodeRule& rule, TOpenFile& file,
                                         TSearchRec& entry);
  static bool Completed(TContentWorkers::TAnswer answer, TFolderListing& listing,
                        TSearchRec& entry);
  void AddFoundFile(const TSearchRec& entry, const std::string& folder, TNativeName native);
  const std::string& DateText(int32_t time);

  TFileSystem& FFileSystem;
  TFormatSettings FFormatSettings;
  const TCodePage& FCodePage;
  TSearchRequest FSearchRequest;
  std::string FNeedle;                      // the request's text upper-cased, once per search
  std::optional<TMask> FMask;               // the walk's mask, compiled at its first file
  std::optional<TTextScan> FTextScan;       // the decision without lines, when the text allows it
  std::optional<TUnicodeRule> FUnicodeRule; // shared by the workers, made before they begin
  unsigned FThreads = TContentWorkers::DefaultThreads(); // the walk's and its workers
  std::unique_ptr<TContentWorkers> FWorkers; // made at the first search that reads on them
  bool FOnWorkers = false;                   // the current search reads on FWorkers
  std::deque<TPendingFile> FPending;         // handed to FWorkers, in walk order
  struct TDateText {
    bool Written = false;
    int32_t Time = 0;
    std::string Text; // FormatFileTime(Time) with FFormatSettings
  };
  static constexpr int DateSlotBits = 6;
  std::array<TDateText, 1 << DateSlotBits> FDateTexts; // by the high bits of a hash of the time
  TFoundFiles FFoundFiles;
  TLineBuffer FLineBuffer;
  std::vector<TPathFolder> FPath;
  TSearchProgress* FProgress = nullptr; // the running search's, if any
  bool FStopped = false;
};
