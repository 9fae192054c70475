#pragma once
// The machine's drives and folders as a read-only tree, filled lazily: a folder's subfolders
// are read the first time its node opens, and again only when F5 asks (Refresh). Each node's
// full path shows as the hint of the node under the pointer.
#include "toolkit/ImageList.h"
#include "toolkit/TreeView.h"

#include <deque>
#include <memory>
#include <string>
#include <string_view>

// What every node carries, placeholders included.
struct TInfoNoeud {
  bool Loaded = false;
  std::string Path; // C:\ for a drive, C:\Windows for a folder, empty for a placeholder
  // The same path as the system names it, which alone reaches the folder: Path shows "?" for
  // each character that the code page lacks.
  std::wstring Native;
};

class TFolderTreeView : public TTreeView {
public:
  TFolderTreeView(HWND parent, const TBounds& bounds);
  ~TFolderTreeView() override;

  // Adds a node per drive (a second call adds them all again); reads no drive.
  void Populate();
  std::string SelectedPath() const;
  std::wstring SelectedNativePath() const;
  // Opens the tree down to the folder path ("." and ".." resolved, doubled backslashes
  // dropped) and selects the deepest node on the way; throws
  // "Chemin non trouvé." when path is no existing folder and differs from the selection.
  void SelectPath(const std::string& path);
  // What F5 does: reads the list of drives and the selected folder's subfolders again, so that
  // a drive or a folder made since they were read shows and one gone goes; nodes that remain
  // keep what they hold. The selection stays, or goes up to the nearest folder that remains.
  void Refresh();

  const TImageList& FolderImages() const { return *FFolderImages; }

private:
  TInfoNoeud& InfoOf(HTREEITEM node) const;
  void LoadImages();
  void InitNode(HTREEITEM node, int imageIndex, int selectedIndex);
  void AddPlaceholder(HTREEITEM node);
  void AddDrives();
  HTREEITEM AddDrive(char letter, UINT type, HTREEITEM after);
  void RefreshDrives();
  HTREEITEM NearestExisting(HTREEITEM node) const;
  void LoadChildren(HTREEITEM node);
  void ReloadChildren(HTREEITEM node);
  void AddFolder(HTREEITEM node, const std::wstring& name);
  void MarkSubfolders(HTREEITEM node);
  bool HasSubfolder(const std::wstring& folder);
  int FindChild(HTREEITEM node, const std::string& prefix, std::string_view exact) const;
  HTREEITEM ChildAt(HTREEITEM node, int index) const;
  void TreeExpanding(HTREEITEM node, bool& allowExpansion);
  void TreeMouseMove(int x, int y);
  std::unique_ptr<TImageList> FFolderImages;
  // The records live as long as the control, placeholders' too: a node never outlives it.
  std::deque<TInfoNoeud> FRecords;
};
