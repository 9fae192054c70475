#include "controls/FolderTreeView.h"

#include "base/SysUtils.h"
#include "support/TempFolder.h"
#include "support/TestForm.h"
#include "support/WineHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
struct TTree {
  TTestForm Form{400, 400};
  TFolderTreeView Tree{Form.Handle(), {0, 0, 400, 400}};
};

struct TItem {
  std::string Text, Path;
  int Image, SelectedImage;
  bool Loaded, Button;
};

TItem ItemOf(const TFolderTreeView& tree, HTREEITEM item) {
  TVITEMA tv{};
  tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
  tv.hItem = item;
  SendMessageA(tree.Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  const auto* info = static_cast<TInfoNoeud*>(tree.Data(item));
  return {tree.Text(item),   info->Path,   tv.iImage,
          tv.iSelectedImage, info->Loaded, tv.cChildren != 0};
}

std::vector<HTREEITEM> ChildrenOf(const TFolderTreeView& tree, HTREEITEM item) {
  std::vector<HTREEITEM> children;
  for (HTREEITEM c = tree.FirstChild(item); c; c = tree.NextSibling(c))
    children.push_back(c);
  return children;
}

std::vector<std::string> TextsOf(const TFolderTreeView& tree, HTREEITEM item) {
  std::vector<std::string> texts;
  for (HTREEITEM c : ChildrenOf(tree, item))
    texts.push_back(tree.Text(c));
  return texts;
}

std::string Upper(std::string text) {
  CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::string SelectPathError(TFolderTreeView& tree, const std::string& path) {
  try {
    tree.SelectPath(path);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

void Expand(const TFolderTreeView& tree, HTREEITEM item) {
  TreeView_Expand(tree.Handle(), item, TVE_EXPAND);
}

// Moves the pointer over the middle of the item's label, or to a point.
void MouseAt(const TFolderTreeView& tree, int x, int y) {
  SendMessageA(tree.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

void MouseOver(const TFolderTreeView& tree, HTREEITEM item) {
  RECT r;
  TreeView_GetItemRect(tree.Handle(), item, &r, TRUE);
  MouseAt(tree, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}
} // namespace

TEST(FolderTreeViewTest, PopulateAddsEachDriveWithAPlaceholderInLetterOrder) {
  TTree t;
  EXPECT_EQ(7, t.Tree.FolderImages().Count());
  EXPECT_EQ(nullptr, t.Tree.FirstChild(nullptr));
  t.Tree.Populate();
  std::vector<TItem> expected;
  const int imageOfType[] = {-9, -9, 0, 1, 3, 2, 4};
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const std::string root = std::string(1, letter) + ":\\";
    const UINT type = GetDriveTypeA(root.c_str());
    if (type >= 2 && type <= 6)
      expected.push_back({std::string("(") + letter + ":)", root, imageOfType[type],
                          imageOfType[type], false, true});
  }
  const std::vector<HTREEITEM> drives = ChildrenOf(t.Tree, nullptr);
  ASSERT_EQ(expected.size(), drives.size());
  for (size_t i = 0; i < drives.size(); ++i) {
    const TItem drive = ItemOf(t.Tree, drives[i]);
    SCOPED_TRACE(drive.Text);
    EXPECT_EQ(expected[i].Text, drive.Text);
    EXPECT_EQ(expected[i].Path, drive.Path);
    EXPECT_EQ(expected[i].Image, drive.Image);
    EXPECT_EQ(expected[i].Image, drive.SelectedImage);
    EXPECT_FALSE(drive.Loaded);
    EXPECT_TRUE(drive.Button);
    const std::vector<HTREEITEM> placeholder = ChildrenOf(t.Tree, drives[i]);
    ASSERT_EQ(1u, placeholder.size());
    const TItem star = ItemOf(t.Tree, placeholder[0]);
    EXPECT_EQ("*", star.Text);
    EXPECT_EQ("", star.Path);
    EXPECT_EQ(I_IMAGENONE, star.Image) << "no picture";
  }
  EXPECT_EQ("", t.Tree.SelectedPath());
  t.Tree.Populate();
  EXPECT_EQ(2 * drives.size(), ChildrenOf(t.Tree, nullptr).size()) << "a second call adds again";
}

TEST(FolderTreeViewTest, OpeningAFolderListsItsSubfoldersInLocaleOrder) {
  TTempFolder temp;
  for (const char* name : {"foo", "beta", "\xE9lan", "Bravo", "alpha", "_x"})
    temp.Folder(name);
  temp.Folder("Cach\xE9", FILE_ATTRIBUTE_HIDDEN);
  temp.Folder("Syst\xE8me", FILE_ATTRIBUTE_SYSTEM);
  temp.Folder(".git");
  temp.Folder(".git\\objects");
  temp.Folder("alpha\\sub");
  temp.Folder("beta\\.dot");
  temp.Write("beta\\file.txt");
  temp.Write("foo.txt");
  TTree t;
  t.Tree.Populate();
  t.Tree.SelectPath(temp.Path());
  HTREEITEM folder = TreeView_GetSelection(t.Tree.Handle());
  EXPECT_EQ(temp.Path(), t.Tree.SelectedPath());
  EXPECT_FALSE(ItemOf(t.Tree, folder).Loaded) << "the target's own subfolders wait";
  EXPECT_EQ((std::vector<std::string>{"*"}), TextsOf(t.Tree, folder));

  Expand(t.Tree, folder);
  EXPECT_TRUE(ItemOf(t.Tree, folder).Loaded);
  EXPECT_EQ((std::vector<std::string>{"_x", "alpha", "beta", "Bravo", "Cach\xE9", "\xE9lan", "foo",
                                      "Syst\xE8me"}),
            TextsOf(t.Tree, folder));
  for (HTREEITEM child : ChildrenOf(t.Tree, folder)) {
    const TItem item = ItemOf(t.Tree, child);
    SCOPED_TRACE(item.Text);
    EXPECT_EQ(temp / item.Text, item.Path);
    EXPECT_EQ(5, item.Image);
    EXPECT_EQ(6, item.SelectedImage);
    EXPECT_EQ(item.Text == "alpha", item.Button) << "a button only over a listed subfolder";
  }
}

TEST(FolderTreeViewTest, ChildrenAreReadOnceAndAFolderFoundEmptyLosesItsButton) {
  TTempFolder temp;
  temp.Folder("empty");
  temp.Folder("emptied");
  const std::string sub = temp.Folder("emptied\\sub");
  TTree t;
  t.Tree.Populate();
  t.Tree.SelectPath(temp.Path());
  HTREEITEM folder = TreeView_GetSelection(t.Tree.Handle());
  Expand(t.Tree, folder);
  const std::vector<HTREEITEM> children = ChildrenOf(t.Tree, folder);
  ASSERT_EQ(2u, children.size());
  HTREEITEM emptied = children[0], empty = children[1];
  EXPECT_FALSE(ItemOf(t.Tree, empty).Button);
  EXPECT_TRUE(ItemOf(t.Tree, emptied).Button);
  TTempFolder::Remove(sub);
  Expand(t.Tree, emptied);
  EXPECT_TRUE(ItemOf(t.Tree, emptied).Loaded);
  EXPECT_FALSE(ItemOf(t.Tree, emptied).Button) << "nothing listed: no more button";
  EXPECT_EQ(nullptr, t.Tree.FirstChild(emptied));

  temp.Folder("later");
  temp.Folder("empty\\later");
  TreeView_Expand(t.Tree.Handle(), folder, TVE_COLLAPSE);
  Expand(t.Tree, folder);
  EXPECT_EQ((std::vector<std::string>{"emptied", "empty"}), TextsOf(t.Tree, folder));
  EXPECT_FALSE(ItemOf(t.Tree, empty).Button);
  EXPECT_EQ("", SelectPathError(t.Tree, temp / "later")) << "an existing folder without node";
  EXPECT_EQ(temp.Path(), t.Tree.SelectedPath());
}

TEST(FolderTreeViewTest, SelectPathFindsTheDeepestNodeOnThePath) {
  TTempFolder temp;
  temp.Folder("Docs");
  temp.Folder("Docs\\Lettres");
  temp.Folder(".cache");
  temp.Folder(".cache\\inner");
  temp.Folder("Other");
  temp.Folder("Case\\abc");
  // Wine finds abc for Abc: a folder beside it in another case is made by the host.
  ASSERT_TRUE(RunOnHost({"mkdir", HostPath(temp / "Case") + "/Abc"})) << "needs Wine";
  const std::string drive = Upper(temp.Path().substr(0, 3));
  const std::string belowDrive = temp.Path().substr(3);
  std::string upToRoot = temp.Path();
  for (int k = 0; k < 20; ++k)
    upToRoot += "\\..";
  std::string slashes = temp / "Docs\\.\\..\\Docs";
  std::replace(slashes.begin(), slashes.end(), '\\', '/');
  struct TRow {
    const char* Name;
    std::string Path, Selected;
  } rows[] = {
      {"same case", temp / "Docs\\Lettres", temp / "Docs\\Lettres"},
      {"other case", Upper(temp / "docs\\lettres"), temp / "Docs\\Lettres"},
      {"lower case", temp.Path() + "\\docs", temp / "Docs"},
      {"trailing backslash", temp / "Docs\\", temp / "Docs"},
      {"drive root", drive, drive},
      {"below a dot-named folder", temp / ".cache\\inner", temp.Path()},
      {"dot-dot", temp / "Docs\\..\\Other", temp / "Other"},
      {"dot-dot twice", temp / "Docs\\Lettres\\..\\..\\Other\\", temp / "Other"},
      {"dot", temp / "Docs\\.\\Lettres", temp / "Docs\\Lettres"},
      {"doubled backslashes", temp.Path() + "\\\\Docs\\\\Lettres", temp / "Docs\\Lettres"},
      {"dot-dot above the root", drive + "..\\" + belowDrive + "\\Docs", temp / "Docs"},
      {"dot-dot up to the root and beyond", upToRoot, drive},
      {"slashes: left as they are, no node", slashes, ""},
      {"the exact spelling among names in two cases", temp / "Case\\Abc", temp / "Case\\Abc"},
      {"the other exact spelling", temp / "case\\abc", temp / "Case\\abc"},
      {"neither spelling: the first", temp / "Case\\ABC", temp / "Case\\abc"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    TTree t;
    t.Tree.Populate();
    EXPECT_EQ("", SelectPathError(t.Tree, row.Path));
    EXPECT_EQ(row.Selected, t.Tree.SelectedPath());
    HTREEITEM selected = TreeView_GetSelection(t.Tree.Handle());
    for (HTREEITEM up = t.Tree.Parent(selected); up; up = t.Tree.Parent(up))
      EXPECT_TRUE(TreeView_GetItemState(t.Tree.Handle(), up, TVIS_EXPANDED) & TVIS_EXPANDED);
  }
}

TEST(FolderTreeViewTest, SelectPathReportsAMissingFolderAndLeavesTheTree) {
  TTempFolder temp;
  const std::string gone = temp.Folder("gone");
  TTree t;
  t.Tree.Populate();
  EXPECT_EQ("", SelectPathError(t.Tree, "")) << "nothing selected: nothing to do";
  EXPECT_EQ("", t.Tree.SelectedPath());
  t.Tree.SelectPath(gone);
  HTREEITEM selected = TreeView_GetSelection(t.Tree.Handle());
  TTempFolder::Remove(gone);
  EXPECT_EQ("", SelectPathError(t.Tree, Upper(gone))) << "the selection, in other letters";
  EXPECT_EQ("Chemin non trouv\xE9.", SelectPathError(t.Tree, ""));
  EXPECT_EQ("Chemin non trouv\xE9.", SelectPathError(t.Tree, temp / "missing\\deeper"));
  EXPECT_EQ(selected, TreeView_GetSelection(t.Tree.Handle()));
  EXPECT_EQ(gone, t.Tree.SelectedPath());
}

TEST(FolderTreeViewTest, TheHintIsThePathOfTheNodeUnderThePointer) {
  TTempFolder temp;
  TTree t;
  t.Tree.Populate();
  HTREEITEM drive = t.Tree.FirstChild(nullptr);
  MouseOver(t.Tree, drive);
  EXPECT_EQ(ItemOf(t.Tree, drive).Path, t.Tree.Hint());
  MouseAt(t.Tree, 200, 390);
  EXPECT_EQ("", t.Tree.Hint()) << "empty space";
  t.Tree.SelectPath(temp.Path());
  MouseOver(t.Tree, TreeView_GetSelection(t.Tree.Handle()));
  EXPECT_EQ(temp.Path(), t.Tree.Hint());
}

// F5: the selected folder's subfolders are read again, and nodes that stay keep what was read
// below them; a selection whose folder is gone goes up to the nearest one that remains.
TEST(FolderTreeViewTest, RefreshReadsTheSelectedFolderAgainAndKeepsWhatStays) {
  TTempFolder temp;
  temp.Folder("kept\\inner");
  temp.Folder("gone");
  temp.Folder("bare");
  temp.Folder("full\\sub");
  TTree t;
  t.Tree.Populate();
  const size_t drives = ChildrenOf(t.Tree, nullptr).size();
  t.Tree.SelectPath(temp / "kept\\inner"); // reads the folder and kept
  HTREEITEM folder = t.Tree.Parent(t.Tree.Parent(TreeView_GetSelection(t.Tree.Handle())));
  t.Tree.Select(folder);
  HTREEITEM kept = ChildrenOf(t.Tree, folder)[3];
  ASSERT_EQ(ItemOf(t.Tree, kept).Text, "kept");
  TTempFolder::Remove(temp / "gone");
  TTempFolder::Remove(temp / "full\\sub");
  temp.Folder("bare\\now");
  temp.Folder("new\\deeper");
  t.Tree.Refresh();
  EXPECT_EQ(TextsOf(t.Tree, folder), (std::vector<std::string>{"bare", "full", "kept", "new"}));
  EXPECT_EQ(ChildrenOf(t.Tree, folder)[2], kept);
  EXPECT_TRUE(ItemOf(t.Tree, kept).Loaded);
  EXPECT_EQ(TextsOf(t.Tree, kept), std::vector<std::string>{"inner"});
  const struct {
    int Child;
    bool Button;
  } buttons[] = {{0, true}, {1, false}, {3, true}};
  for (const auto& b : buttons) {
    const TItem item = ItemOf(t.Tree, ChildrenOf(t.Tree, folder)[b.Child]);
    SCOPED_TRACE(item.Text);
    EXPECT_FALSE(item.Loaded);
    EXPECT_EQ(item.Button, b.Button);
    EXPECT_EQ(item.Path, temp / item.Text);
  }
  EXPECT_EQ(t.Tree.SelectedPath(), temp.Path());
  EXPECT_EQ(ChildrenOf(t.Tree, nullptr).size(), drives);

  t.Tree.SelectPath(temp / "kept\\inner");
  TTempFolder::Remove(temp / "kept");
  t.Tree.Refresh();
  EXPECT_EQ(t.Tree.SelectedPath(), temp.Path());
  EXPECT_EQ(TextsOf(t.Tree, folder), (std::vector<std::string>{"bare", "full", "new"}));
}

// A drive that comes after the start (a USB key, a network drive mapped) gets its node in its
// letter's place on F5, and loses it when it goes; the other drives keep theirs.
TEST(FolderTreeViewTest, RefreshFollowsDrivesThatComeAndGo) {
  TTempFolder temp;
  char letter = 'M';
  while (letter < 'Y' &&
         GetDriveTypeA((std::string(1, letter) + ":\\").c_str()) != DRIVE_NO_ROOT_DIR)
    ++letter;
  const std::string host = HostPath("C:\\");
  const std::string link = host.substr(0, host.find_last_of('/', host.size() - 2)) + "/" +
                           char(letter - 'A' + 'a') + ":";
  TTree t;
  t.Tree.Populate();
  const std::vector<HTREEITEM> before = ChildrenOf(t.Tree, nullptr);
  ASSERT_TRUE(RunOnHost({"ln", "-s", HostPath(temp.Path()), link})) << "needs Wine";
  t.Tree.Refresh();
  std::vector<std::string> texts = TextsOf(t.Tree, nullptr);
  RunOnHost({"rm", link});
  const std::string added = std::string("(") + letter + ":)";
  ASSERT_EQ(texts.size(), before.size() + 1);
  EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end())) << "in letter order";
  EXPECT_NE(std::find(texts.begin(), texts.end(), added), texts.end());
  t.Tree.Refresh();
  EXPECT_EQ(ChildrenOf(t.Tree, nullptr), before) << "the same nodes as before";
}

// Each folder is reached by its own name, whatever its caption shows: a best-fit name would
// walk x＼..＼..＼outside above the folder, sub. as sub and ｄｏｃｓ as docs, and find no 日本.
TEST(FolderTreeViewTest, FoldersNamedOutsideTheCodePageShowQuestionMarksAndOpenThemselves) {
  TTempFolder temp;
  const struct {
    std::wstring Name;
    std::string Caption, Own;
  } rows[] = {
      {L"x\uFF3C..\uFF3C..\uFF3Coutside", "x?..?..?outside", "inner"},
      {L"p\uFF3C..", "p?..", "own"},
      {L"\u65E5\u672C", "??", "kanji"},
      {L"sub.", "sub.", "dotted"},
      {L"sub", "sub", "plain"},
      {L"\uFF44\uFF4F\uFF43\uFF53", "????", "wide"},
      {L"docs", "docs", "narrow"},
      {L"\xE9t\xE9", "\xE9t\xE9", "accents"},
  };
  for (const auto& row : rows) {
    temp.Folder(row.Name);
    temp.Folder(row.Name + L"\\" + TTempFolder::Wide(row.Own));
  }
  temp.Folder("outside"); // where the first row's name leads by best fit from a child
  TTree t;
  t.Tree.Populate();
  t.Tree.SelectPath(temp.Path());
  HTREEITEM parent = t.Tree.Selected();
  Expand(t.Tree, parent);
  const std::vector<HTREEITEM> children = ChildrenOf(t.Tree, parent);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Caption + " / " + row.Own);
    const std::wstring native = TTempFolder::Wide(temp.Path()) + L"\\" + row.Name;
    const auto node = std::find_if(children.begin(), children.end(), [&](HTREEITEM c) {
      return static_cast<TInfoNoeud*>(t.Tree.Data(c))->Native == native;
    });
    ASSERT_NE(node, children.end());
    EXPECT_EQ(t.Tree.Text(*node), row.Caption);
    EXPECT_EQ(ItemOf(t.Tree, *node).Path, temp / row.Caption);
    Expand(t.Tree, *node);
    EXPECT_EQ(TextsOf(t.Tree, *node), std::vector<std::string>{row.Own});
    t.Tree.Select(*node);
    EXPECT_EQ(t.Tree.SelectedNativePath(), native);
    temp.Folder(row.Name + L"\\zeta");
    t.Tree.Refresh();
    EXPECT_EQ(t.Tree.Selected(), *node) << "F5 finds the folder itself";
    EXPECT_EQ(TextsOf(t.Tree, *node), (std::vector<std::string>{row.Own, "zeta"}));
  }
  t.Tree.Select(parent);
  t.Tree.Refresh();
  EXPECT_EQ(ChildrenOf(t.Tree, parent), children) << "each node kept";
  for (HTREEITEM child : children)
    EXPECT_EQ(ItemOf(t.Tree, child).Loaded, t.Tree.Text(child) != "outside") << t.Tree.Text(child);
}
