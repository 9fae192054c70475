#include "MainWindowFixture.h"

#include "support/KeyInput.h"
#include "support/WineHost.h"

#include <cstdio>
#include <functional>
#include <string>

namespace {
// A tree of folders x files files, each holding Content, made and removed by the host at once:
// through Wine each file would take a millisecond to make and another to remove. The files are
// links to one, which spares the disk the writing.
class THostTree {
public:
  static constexpr const char* Content = "une ligne\r\nun mot\r\n";
  THostTree(const std::string& folder, int folders, int files)
      : FHostPath(HostPath(folder)), FFiles(folders * files) {
    FMade = RunOnHost({"python3", "-c",
                       "import os, sys\n"
                       "root, folders, files, content = sys.argv[1:]\n"
                       "model = os.path.join(root, '..', 'model')\n"
                       "with open(model, 'w') as out:\n"
                       "  out.write(content)\n"
                       "for f in range(int(folders)):\n"
                       "  os.mkdir(os.path.join(root, str(f)))\n"
                       "  for k in range(int(files)):\n"
                       "    os.link(model, os.path.join(root, str(f), '%d.txt' % k))\n",
                       FHostPath, std::to_string(folders), std::to_string(files), Content});
  }
  ~THostTree() { RunOnHost({"rm", "-rf", FHostPath}); }
  THostTree(const THostTree&) = delete;
  THostTree& operator=(const THostTree&) = delete;
  bool Made() const { return FMade; }
  int Files() const { return FFiles; }

private:
  std::string FHostPath;
  int FFiles;
  bool FMade = false;
};

// Alt+R, and Échap once due() holds; false when all was over before. The time from Échap to
// the end goes to the log.
bool SearchPressingEscape(const char* what, std::function<bool()> due) {
  const TDelayedKey escape(VK_ESCAPE, std::move(due));
  PressKeys({VK_MENU, 'R'});
  const DWORD end = GetTickCount(), sentAt = escape.SentAt();
  if (sentAt) std::printf("Escape in %s: %lu ms from the key to the end\n", what, end - sentAt);
  std::fflush(stdout);
  return sentAt != 0;
}
} // namespace

// Échap half a second into a long search: the walk stops at its next look at the queue, and
// what it found so far is shown as after any search; the next search walks the whole tree.
TEST_F(MainWindowTest, EscapeStopsALongSearchAndKeepsWhatItFound) {
  const std::string folder = Temp.Folder("docs");
  const THostTree tree(folder, 64, 500);
  ASSERT_TRUE(tree.Made()) << "needs Wine";
  Start();
  Form->tvRep.SelectPath(folder);
  TypeIn('C', "mot");
  const DWORD start = GetTickCount();
  ASSERT_TRUE(SearchPressingEscape("the walk", [start] { return GetTickCount() - start >= 500; }))
      << "over before Escape";
  const int found = Form->grFic.Rows();
  EXPECT_GT(found, 0);
  EXPECT_LT(found, tree.Files());
  EXPECT_EQ(CaptionOf(Form->stnNbFic.Handle()),
            std::to_string(found) + " fichier(s) (recherche interrompue)");
  EXPECT_TRUE(Boxes.Shown.empty());
  EXPECT_EQ(Form->grFic.SelectedRow(), 1);
  EXPECT_EQ(ViewerText(), THostTree::Content);
  EXPECT_EQ(GetFocus(), Form->grFic.Handle());
  EXPECT_EQ(ItemsOf(Form->cbContenant), std::vector<std::string>{"mot"});

  const DWORD again = GetTickCount();
  PressKeys({VK_MENU, 'R'});
  std::printf("the whole search: %lu ms\n", GetTickCount() - again);
  EXPECT_EQ(Form->grFic.Rows(), tree.Files());
  EXPECT_EQ(CaptionOf(Form->stnNbFic.Handle()), std::to_string(tree.Files()) + " fichier(s)");
}

// The first row's file takes seconds to show: Échap leaves the pane empty, without a box, and
// the next file loads as usual.
TEST_F(MainWindowTest, EscapeDuringASlowViewerLoadLeavesThePaneEmpty) {
  std::string lines;
  while (lines.size() < (4 << 20))
    lines += "une ligne assez longue pour peser, avec le mot cherch\xE9 au milieu, et la fin\r\n";
  StartIn({{"a-long.txt", lines}, {"b-court.txt", "un mot\r\n"}});
  TypeIn('C', "mot");
  // Échap as soon as the count shows the search over: the first row's file is then being read
  // and prepared, and the control has not taken any of it in. The count is read without a
  // message, which the busy thread would not answer.
  const HWND count = Form->stnNbFic.Handle();
  ASSERT_TRUE(SearchPressingEscape("the viewer's load", [count] {
    wchar_t caption[64];
    InternalGetWindowText(count, caption, 64);
    return std::wstring(caption) == L"2 fichier(s)";
  })) << "over before Escape";
  EXPECT_EQ(CaptionOf(Form->stnNbFic.Handle()), "2 fichier(s)");
  EXPECT_EQ(Form->grFic.SelectedRow(), 1);
  EXPECT_EQ(ViewerText(), "");
  EXPECT_TRUE(Boxes.Shown.empty());
  EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), "occurence 0 / 0") << "no load was made";
  PressKeys({VK_F3});
  EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), "occurence 0 / 0") << "nothing to step through";
  EXPECT_EQ(GetFocus(), Form->grFic.Handle());

  PressKeys({VK_DOWN});
  EXPECT_EQ(ViewerText(), "un mot\r\n");
  EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), "occurence 1/ 1");
}
