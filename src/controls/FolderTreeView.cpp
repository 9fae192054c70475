#include "controls/FolderTreeView.h"

#include "base/SysUtils.h"
#include "toolkit/CodePageText.h"
#include "toolkit/Graphics.h"
#include "toolkit/Handles.h"

#include <algorithm>
#include <set>

namespace {
// The pictures, in the order of the image list.
constexpr const char* Pictures[] = {"BM_FLOPPY", "BM_HARD_DISK",    "BM_CDROM",      "BM_NETWORK",
                                    "BM_RAM",    "BM_FOLDER_CLOSE", "BM_FOLDER_OPEN"};
constexpr int FolderClosed = 5;
constexpr int FolderOpen = 6;

// The picture of each drive type from 2 (removable) to 6 (RAM disk).
int DriveImage(UINT driveType) {
  switch (driveType) {
  case DRIVE_REMOVABLE: return 0;
  case DRIVE_FIXED: return 1;
  case DRIVE_REMOTE: return 3;
  case DRIVE_CDROM: return 2;
  case DRIVE_RAMDISK: return 4;
  default: return -1; // never reported: such a drive shows no picture
  }
}

bool IsListedFolder(const WIN32_FIND_DATAW& entry) {
  return entry.cFileName[0] != L'.' && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string UpperCase(std::string text) {
  if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// A path from a drive root (X:\) with its "." components and empty ones (doubled backslashes)
// dropped and each ".." taking away the folder before it, as the system reads it; one trailing
// backslash is kept. Any other path is left as it is: a share's leading "\\" must stay.
std::string NormalPath(const std::string& path) {
  if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return path;
  std::string normal = path.substr(0, 3);
  for (size_t start = 3; start < path.size();) {
    const size_t stop = std::min(path.find('\\', start), path.size());
    const std::string_view name = std::string_view(path).substr(start, stop - start);
    if (name == "..") {
      if (normal.size() > 3) normal.resize(normal.rfind('\\', normal.size() - 2) + 1);
    } else if (!name.empty() && name != ".") {
      normal.append(name);
      normal += '\\';
    }
    start = stop + 1;
  }
  if (normal.size() > 3 && path.back() != '\\') normal.pop_back();
  return normal;
}

// The path with one trailing backslash, ready for a name.
template <typename TText> TText FolderOf(const TText& path) {
  return !path.empty() && path.back() == '\\' ? path : path + typename TText::value_type('\\');
}

// The form in which Windows takes a node's native path as it is: sub. stays sub., not its twin
// sub, and a path may be longer than MAX_PATH. Every native path of the tree starts at a drive.
std::wstring Literal(const std::wstring& native) {
  return L"\\\\?\\" + native;
}

UINT DriveTypeOf(char letter) {
  return GetDriveTypeA((std::string(1, letter) + ":\\").c_str());
}

bool IsDrive(UINT driveType) {
  return driveType != DRIVE_UNKNOWN && driveType != DRIVE_NO_ROOT_DIR;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Calls visit for each entry of the listing of the folder (native) until it returns false.
template <typename Visit> void ListFolder(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW entry;
  const TFindHandle find(FindFirstFileW(Literal(FolderOf(folder) + L'*').c_str(), &entry));
  if (!find) return;
  while (visit(entry) && FindNextFileW(find.Get(), &entry)) {
  }
}
} // namespace

TFolderTreeView::TFolderTreeView(HWND parent, const TBounds& bounds) : TTreeView(parent, bounds) {
  FFolderImages = std::make_unique<TImageList>(16, 13);
  LoadImages();
  SetImages(FFolderImages->Handle());
  SetHideSelection(false);
  SetReadOnly(true);
  SetShowHint(true);
  OnMouseMove = [this](WPARAM, int x, int y) { TreeMouseMove(x, y); };
  OnKeyDown = [this](WORD key) {
    if (key == VK_F5) Refresh();
  };
}

TFolderTreeView::~TFolderTreeView() {
  SetImages(nullptr);
  FFolderImages.reset();
}

TInfoNoeud& TFolderTreeView::InfoOf(HTREEITEM node) const {
  return *static_cast<TInfoNoeud*>(Data(node));
}

void TFolderTreeView::LoadImages() {
  TBitmap scratch;
  for (const char* name : Pictures) {
    scratch.LoadFromResourceName(name);
    // The pictures carry no transparency: their purple ground becomes the tree's own colour.
    TCanvas& canvas = scratch.Canvas();
    for (int y = 0; y < scratch.Height(); ++y)
      for (int x = 0; x < scratch.Width(); ++x)
        if (canvas.Pixel(x, y) == clPurple) canvas.SetPixel(x, y, clWindow);
    FFolderImages->Add(scratch);
  }
}

void TFolderTreeView::InitNode(HTREEITEM node, int imageIndex, int selectedIndex) {
  SetImageIndexes(node, imageIndex, selectedIndex);
  TInfoNoeud& info = FRecords.emplace_back();
  if (IsTopLevel(node)) {
    info.Path = Text(node).substr(1, 1) + ":\\";
    info.Native = WideOf(info.Path);
  }
  SetData(node, &info);
}

// Only makes the tree draw an expand button on a node whose children are not read yet.
void TFolderTreeView::AddPlaceholder(HTREEITEM node) {
  InitNode(AddChild(node, "*"), -1, -1);
}

void TFolderTreeView::Populate() {
  AddDrives();
  OnExpanding = [this](HTREEITEM node, bool& allow) { TreeExpanding(node, allow); };
}

void TFolderTreeView::AddDrives() {
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const UINT type = DriveTypeOf(letter);
    if (IsDrive(type)) AddDrive(letter, type, TVI_LAST);
  }
}

HTREEITEM TFolderTreeView::AddDrive(char letter, UINT type, HTREEITEM after) {
  HTREEITEM drive = AddChild(nullptr, std::string("(") + letter + ":)", after);
  InitNode(drive, DriveImage(type), DriveImage(type));
  AddPlaceholder(drive);
  return drive;
}

// The drive nodes follow the letters again: a letter that lost its drive loses its node, a new
// drive gets one in its place, and a drive that stays keeps its node and all read below it.
void TFolderTreeView::RefreshDrives() {
  HTREEITEM node = FirstChild(nullptr), previous = TVI_FIRST;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    HTREEITEM own = nullptr;
    if (node && InfoOf(node).Path[0] == letter) {
      own = node;
      node = NextSibling(node);
    }
    const UINT type = DriveTypeOf(letter);
    if (!IsDrive(type)) {
      if (own) DeleteItem(own);
    } else if (own) {
      SetImageIndexes(own, DriveImage(type), DriveImage(type));
      previous = own;
    } else {
      previous = AddDrive(letter, type, previous);
    }
  }
}

void TFolderTreeView::Refresh() {
  if (HTREEITEM selected = Selected()) {
    HTREEITEM node = NearestExisting(selected);
    if (node != selected) Select(node);
    ReloadChildren(node);
  }
  RefreshDrives();
}

// The node itself, or the nearest above it whose folder still exists; a drive node stays.
HTREEITEM TFolderTreeView::NearestExisting(HTREEITEM node) const {
  while (!IsTopLevel(node) && !IsFolder(Literal(InfoOf(node).Native)))
    node = Parent(node);
  return node;
}

void TFolderTreeView::TreeExpanding(HTREEITEM node, bool& /*allowExpansion*/) {
  if (!InfoOf(node).Loaded) LoadChildren(node);
}

void TFolderTreeView::LoadChildren(HTREEITEM node) {
  DeleteChildren(node);
  ListFolder(InfoOf(node).Native, [&](const WIN32_FIND_DATAW& entry) {
    if (IsListedFolder(entry)) AddFolder(node, entry.cFileName);
    return true;
  });
  SortChildren(node);
  InfoOf(node).Loaded = true;
}

// Reads a loaded node's subfolders again into the children it has: those gone are deleted, new
// ones added, and those that remain keep their own children; an unread one gets its expand
// button again from the disk.
void TFolderTreeView::ReloadChildren(HTREEITEM node) {
  if (!InfoOf(node).Loaded) {
    LoadChildren(node);
    return;
  }
  const std::wstring dir = FolderOf(InfoOf(node).Native);
  std::set<std::wstring> names;
  ListFolder(dir, [&](const WIN32_FIND_DATAW& entry) {
    if (IsListedFolder(entry)) names.insert(entry.cFileName);
    return true;
  });
  for (HTREEITEM child = FirstChild(node), next; child; child = next) {
    next = NextSibling(child);
    if (!names.erase(InfoOf(child).Native.substr(dir.size())))
      DeleteItem(child);
    else if (!InfoOf(child).Loaded)
      MarkSubfolders(child);
  }
  for (const std::wstring& name : names)
    AddFolder(node, name);
  SortChildren(node);
}

// The caption and the shown path hold "?" for what the code page lacks; only the native path,
// the listing's own name, reaches the folder.
void TFolderTreeView::AddFolder(HTREEITEM node, const std::wstring& name) {
  const std::string shown = AnsiOf(name);
  HTREEITEM child = AddChild(node, shown);
  InitNode(child, FolderClosed, FolderOpen);
  TInfoNoeud& info = InfoOf(child);
  info.Path = FolderOf(InfoOf(node).Path) + shown;
  info.Native = FolderOf(InfoOf(node).Native) + name;
  if (HasSubfolder(info.Native)) AddPlaceholder(child);
}

// An unread node has a placeholder exactly when its folder holds a listed subfolder.
void TFolderTreeView::MarkSubfolders(HTREEITEM node) {
  const bool subfolder = HasSubfolder(InfoOf(node).Native);
  if (subfolder == (FirstChild(node) != nullptr)) return;
  if (subfolder)
    AddPlaceholder(node);
  else
    DeleteChildren(node);
}

bool TFolderTreeView::HasSubfolder(const std::wstring& folder) {
  bool found = false;
  ListFolder(folder, [&](const WIN32_FIND_DATAW& entry) {
    found = IsListedFolder(entry);
    return !found;
  });
  return found;
}

// Among children whose names differ only in letter case, the one whose name is spelt as in
// exact (the whole path, in the letters the caller gave) is chosen, else the first.
int TFolderTreeView::FindChild(HTREEITEM node, const std::string& prefix,
                               std::string_view exact) const {
  int index = 0, found = -1;
  for (HTREEITEM child = FirstChild(node); child; child = NextSibling(child), ++index) {
    const std::string& path = InfoOf(child).Path;
    if (UpperCase(path) + "\\" != prefix) continue;
    const size_t name = path.rfind('\\') + 1;
    if (exact.substr(name, path.size() - name) == std::string_view(path).substr(name)) return index;
    if (found == -1) found = index;
  }
  return found;
}

HTREEITEM TFolderTreeView::ChildAt(HTREEITEM node, int index) const {
  HTREEITEM child = FirstChild(node);
  while (index-- > 0)
    child = NextSibling(child);
  return child;
}

std::string TFolderTreeView::SelectedPath() const {
  HTREEITEM selected = Selected();
  return selected ? InfoOf(selected).Path : std::string();
}

std::wstring TFolderTreeView::SelectedNativePath() const {
  HTREEITEM selected = Selected();
  return selected ? InfoOf(selected).Native : std::wstring();
}

void TFolderTreeView::SelectPath(const std::string& path) {
  const std::string exact = NormalPath(path); // upper-casing keeps every byte in its place
  std::string target = UpperCase(exact);
  if (target == UpperCase(SelectedPath())) return;
  // No folder's name holds "?" or "*": in a shown path "?" stands for a character that the code
  // page lacks, and the system would take either as a wildcard that reaches another folder.
  if (target.find_first_of("?*") != std::string::npos || !IsFolder(WideOf(target)))
    throw Exception("Chemin non trouvé.");
  if (target.back() != '\\') target += '\\';
  std::string prefix = target.substr(0, 3);
  HTREEITEM node = FirstChild(nullptr);
  while (node && UpperCase(InfoOf(node).Path) != prefix)
    node = NextSibling(node);
  if (!node) return; // a share, a relative path, a drive without a node: left as it is
  while (prefix.size() < target.size()) {
    if (!InfoOf(node).Loaded) LoadChildren(node);
    const size_t k = target.find('\\', prefix.size()) - prefix.size() + 1;
    prefix = target.substr(0, prefix.size() + k);
    const int i = FindChild(node, prefix, exact);
    if (i != -1) node = ChildAt(node, i);
  }
  Select(node);
  MakeVisible(node);
}

void TFolderTreeView::TreeMouseMove(int x, int y) {
  HTREEITEM node = ItemAt(x, y);
  if (!node) {
    SetHint("");
  } else if (Hint() != InfoOf(node).Path) {
    CancelHint();
    SetHint(InfoOf(node).Path);
  }
}
