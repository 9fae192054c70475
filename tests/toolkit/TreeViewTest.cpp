#include "toolkit/TreeView.h"

#include "support/TestForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
bool HasButton(const TTreeView& tree, HTREEITEM item) {
  TVITEMA tv{};
  tv.mask = TVIF_CHILDREN;
  tv.hItem = item;
  SendMessageA(tree.Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return tv.cChildren != 0;
}
} // namespace

TEST(TreeViewTest, SortingByLocaleKeepsEachItemsData) {
  TTestForm form(200, 200);
  TTreeView tree(form.Handle(), {0, 0, 200, 200});
  HTREEITEM root = tree.AddChild(nullptr, "root");
  // Byte order would give B, _, a, b, f, é.
  std::vector<std::string> names = {"f", "b", "\xE9", "B", "a", "_"};
  for (std::string& name : names)
    tree.SetData(tree.AddChild(root, name), &name);
  tree.SortChildren(root);
  std::vector<std::string> order;
  for (HTREEITEM c = tree.FirstChild(root); c; c = tree.NextSibling(c)) {
    order.push_back(tree.Text(c));
    EXPECT_EQ(tree.Text(c), *static_cast<std::string*>(tree.Data(c))) << "data moved with it";
  }
  EXPECT_EQ((std::vector<std::string>{"_", "a", "b", "B", "\xE9", "f"}), order);
}

TEST(TreeViewTest, TheExpandButtonFollowsTheChildren) {
  TTestForm form(200, 200);
  TTreeView tree(form.Handle(), {0, 0, 200, 200});
  HTREEITEM root = tree.AddChild(nullptr, "root");
  EXPECT_FALSE(HasButton(tree, root));
  tree.AddChild(root, "child");
  EXPECT_TRUE(HasButton(tree, root));
  tree.DeleteChildren(root);
  EXPECT_FALSE(HasButton(tree, root));
  EXPECT_EQ(nullptr, tree.FirstChild(root));
}

TEST(TreeViewTest, ExpandingAsksTheOwnerWhoMayRefuse) {
  TTestForm form(200, 200);
  TTreeView tree(form.Handle(), {0, 0, 200, 200});
  HTREEITEM root = tree.AddChild(nullptr, "root");
  tree.AddChild(root, "child");
  bool allow = false;
  int asked = 0;
  tree.OnExpanding = [&](HTREEITEM item, bool& allowExpansion) {
    EXPECT_EQ(root, item);
    ++asked;
    allowExpansion = allow;
  };
  TreeView_Expand(tree.Handle(), root, TVE_EXPAND);
  EXPECT_FALSE(TreeView_GetItemState(tree.Handle(), root, TVIS_EXPANDED) & TVIS_EXPANDED);
  allow = true;
  TreeView_Expand(tree.Handle(), root, TVE_EXPAND);
  EXPECT_TRUE(TreeView_GetItemState(tree.Handle(), root, TVIS_EXPANDED) & TVIS_EXPANDED);
  EXPECT_EQ(2, asked);
}
