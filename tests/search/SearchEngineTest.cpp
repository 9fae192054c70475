#include "search/SearchEngine.h"

#include "base/SysUtils.h"
#include "support/MemoryFileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

namespace {

TFormatSettings FrenchSettings() {
  TRegionalSettings r;
  r.ShortDate = "dd/MM/yyyy";
  r.HourLeadingZero = true;
  r.TwelveHourClock = false;
  return TFormatSettings::FromRegional(r);
}

const TCodePage& Page() {
  static const TCodePage page = TCodePage::Windows1252();
  return page;
}

class WalkTest : public testing::Test {
protected:
  TMemoryFileSystem Disk;
  TSearchEngine Engine{Disk, FrenchSettings(), Page()};

  // Each record as "Index Folder|Name".
  std::vector<std::string> Search(const std::string& folder, const std::string& mask = "*",
                                  const std::string& text = "", bool subfolders = true) {
    Engine.Search({folder, mask, text, subfolders});
    return Found();
  }
  std::vector<std::string> Found() const {
    std::vector<std::string> found;
    for (const auto& r : Engine.FoundFiles())
      found.push_back(std::to_string(r->Index) + " " + r->Folder + "|" + r->Name);
    return found;
  }
  bool WasListed(const std::string& folder) const {
    return std::count(Disk.Listed.begin(), Disk.Listed.end(), folder) > 0;
  }
};

using TFound = std::vector<std::string>;

// Asks the walk to stop when Stop says so, after recording the count it was told.
class TStopWhen : public TSearchProgress {
public:
  explicit TStopWhen(std::function<bool()> stop) : FStop(std::move(stop)) {}
  std::vector<size_t> Told;
  bool StopRequested(size_t foundCount) override {
    Told.push_back(foundCount);
    return FStop();
  }

private:
  std::function<bool()> FStop;
};

} // namespace

TEST(JoinPathTest, OneBackslashBetween) {
  const struct {
    const char *Folder, *Name, *Path;
  } cases[] = {
      {"C:\\Docs", "a.txt", "C:\\Docs\\a.txt"},
      {"C:\\", "a.txt", "C:\\a.txt"},
      {"", "*.*", "\\*.*"},
      {"\\\\server\\share", "x", "\\\\server\\share\\x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Path);
    EXPECT_EQ(JoinPath(c.Folder, c.Name), c.Path);
  }
}

TEST_F(WalkTest, DepthFirstInListingOrderWithFullRecords) {
  Disk.AddFile("C:\\R\\a.txt", "12345");
  Disk.AddFolder("C:\\R\\Sub");
  Disk.AddFile("C:\\R\\Sub\\b.txt");
  Disk.AddFile("C:\\R\\Sub\\Deeper\\c.txt");
  Disk.AddFile("C:\\R\\z.txt");
  EXPECT_EQ(Search("C:\\R"), (TFound{"1 C:\\R|a.txt", "2 C:\\R\\Sub|b.txt",
                                     "3 C:\\R\\Sub\\Deeper|c.txt", "4 C:\\R|z.txt"}));
  const TInfoFic& a = *Engine.FoundFiles()[0];
  EXPECT_EQ(a.Size, 5);
  EXPECT_EQ(a.Time, TMemoryFileSystem::DefaultTime);
  EXPECT_EQ(a.DateText, "25/12/2005 14:03:08");
  EXPECT_EQ(Disk.OpenListings, 0);

  EXPECT_EQ(Search("C:\\R"), Found()); // the second run replaces the first's records
  EXPECT_EQ(Engine.FoundFiles().size(), 4u);
  Disk.Listed.clear();
  EXPECT_EQ(Search("C:\\R", "*", "", false), (TFound{"1 C:\\R|a.txt", "2 C:\\R|z.txt"}));
  EXPECT_FALSE(WasListed("C:\\R\\Sub"));
}

TEST_F(WalkTest, EveryAttributeKindIsExaminedButDotNamesNever) {
  Disk.AddFile("C:\\R\\hidden.txt", "", faHidden);
  Disk.AddFile("C:\\R\\system.txt", "", faSysFile | faHidden | faReadOnly);
  Disk.AddFile("C:\\R\\label", "", faVolumeID);
  Disk.AddFile("C:\\R\\.profile");
  Disk.AddFile("C:\\R\\.git\\config");
  Disk.AddFolder("C:\\R\\Secret", faDirectory | faHidden | faSysFile);
  Disk.AddFile("C:\\R\\Secret\\s.txt");
  Disk.AddFolder("C:\\R\\Dir.txt"); // a folder is never a result, whatever its name
  EXPECT_EQ(Search("C:\\R"), (TFound{"1 C:\\R|hidden.txt", "2 C:\\R|system.txt", "3 C:\\R|label",
                                     "4 C:\\R\\Secret|s.txt"}));
  EXPECT_FALSE(WasListed("C:\\R\\.git"));
}

TEST_F(WalkTest, TheMaskIsTestedBeforeTheFileIsOpened) {
  Disk.AddFile("C:\\R\\README", "x");
  Disk.AddFile("C:\\R\\read.me", "x");
  Disk.AddFile("C:\\R\\a.txt", "x");
  EXPECT_EQ(Search("C:\\R", ""), (TFound{"1 C:\\R|read.me", "2 C:\\R|a.txt"}));
  EXPECT_EQ(Search("C:\\R", "*.me", "x"), TFound{"1 C:\\R|read.me"});
  EXPECT_EQ(Disk.Opened, std::vector<std::string>{"C:\\R\\read.me"});
}

TEST_F(WalkTest, DriveRootAndNoFolder) {
  Disk.AddFile("C:\\a.txt", "x");
  Disk.AddFile("C:\\Docs\\b.txt", "x");
  EXPECT_EQ(Search("C:\\", "*", "x"), (TFound{"1 C:\\|a.txt", "2 C:\\Docs|b.txt"}));
  // In any order: files are opened on the threads that read them.
  EXPECT_EQ(std::set<std::string>(Disk.Opened.begin(), Disk.Opened.end()),
            (std::set<std::string>{"C:\\a.txt", "C:\\Docs\\b.txt"}));

  Disk.AddFile("\\top.txt");
  EXPECT_EQ(Search(""), TFound{"1 |top.txt"});
  EXPECT_TRUE(WasListed("")) << "the root of the current drive";
  EXPECT_EQ(Search("C:\\Missing"), TFound{});
}

// Names that the code page cannot hold show alike ("?"): each file is still read, listed and
// recorded through its own native name, and the mask matches the name shown.
TEST_F(WalkTest, NamesShownAlikeAreReachedThroughTheirOwnNativeNames) {
  Disk.AddFile("C:\\R\\alpha.txt", "other").Shown = "?.txt";
  Disk.AddFile("C:\\R\\beta.txt", "haystack").Shown = "?.txt";
  Disk.AddFile("C:\\R\\nihon\\in.txt", "haystack");
  Disk.AddFolder("C:\\R\\nihon")->Shown = "??";
  Disk.AddFile("C:\\R\\gamma", "haystack").Shown = "?";
  EXPECT_EQ(Search("C:\\R", "*.txt", "hay"), (TFound{"1 C:\\R|?.txt", "2 C:\\R\\??|in.txt"}));
  std::vector<std::string> native;
  for (const auto& r : Engine.FoundFiles())
    native.push_back(r->NativePath.Bytes);
  EXPECT_EQ(native, (std::vector<std::string>{"C:\\R\\beta.txt", "C:\\R\\nihon\\in.txt"}));
}

TEST_F(WalkTest, AnInvalidMaskIsReportedAtTheFirstFileOnly) {
  Disk.AddFolder("C:\\R\\A\\B");
  EXPECT_EQ(Search("C:\\R", "["), TFound{}); // no file, no error

  Disk.AddFile("C:\\R\\A\\B\\f.txt");
  Disk.AddFile("C:\\R\\g.txt");
  try {
    Search("C:\\R", "[");
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "'[' est un masque incorrect \xE0 (2)");
  }
  EXPECT_TRUE(Engine.FoundFiles().empty());
  EXPECT_EQ(Disk.OpenListings, 0); // every level's listing closed on the way out
}

TEST_F(WalkTest, AnInvalidTimeStopsTheWalkKeepingWhatWasFound) {
  Disk.AddFile("C:\\R\\a.txt");
  Disk.AddFile("C:\\R\\Sub\\bad.txt").Time = 0;
  Disk.AddFile("C:\\R\\z.txt");
  try {
    Search("C:\\R");
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Argument incorrect pour date encode");
  }
  EXPECT_EQ(Found(), TFound{"1 C:\\R|a.txt"});
  EXPECT_EQ(Disk.OpenListings, 0);
}

// Many files share a time, and times share the slots that keep their texts: each record still
// writes its own time, with the settings of the search that made it.
TEST_F(WalkTest, EachRecordWritesItsOwnTime) {
  for (int n = 0; n < 300; ++n)
    Disk.AddFile(Format("C:\\R\\f%d", n)).Time =
        PackDosDateTime({1990 + n % 7, 1 + n % 12, 1 + n % 28, n % 24, n % 60, n % 3 * 2});
  TFormatSettings american = FrenchSettings();
  american.ShortDateFormat = "m/d/yy";
  for (const TFormatSettings& settings : {FrenchSettings(), american}) {
    Engine.SetFormatSettings(settings);
    Search("C:\\R");
    ASSERT_EQ(Engine.FoundFiles().size(), 300u);
    for (const auto& record : Engine.FoundFiles())
      ASSERT_EQ(record->DateText, FormatFileTime(record->Time, settings)) << record->Name;
  }
}

TEST_F(WalkTest, SizeIsTheWholeSize) {
  const uint64_t sizes[] = {0, 0x7FFFFFFF, 0x80000000, 3000000000, 0xFFFFFFFF, 5000000000};
  for (const uint64_t size : sizes)
    Disk.AddFile("C:\\R\\" + std::to_string(size)).Size = size;
  Search("C:\\R");
  ASSERT_EQ(Engine.FoundFiles().size(), std::size(sizes));
  for (size_t i = 0; i < std::size(sizes); ++i) {
    SCOPED_TRACE(sizes[i]);
    EXPECT_EQ(Engine.FoundFiles()[i]->Size, int64_t(sizes[i]));
  }
}

TEST_F(WalkTest, ContentDecidesLineByLineAndUnreadableFilesAreNoMatch) {
  const struct {
    const char* Name;
    std::string Content;
    const char* Text;
    bool Found;
  } cases[] = {
      {"upper case", "xxABCxx", "abc", true},
      {"accents", "L'\xC9T\xC9", "\xE9t\xE9", true},
      {"across a line break", "ab\nc", "abc", false},
      {"after a NUL", std::string("abc\0xyz", 7), "xyz", false},
      {"UTF-16", std::string("a\0b\0c\0", 6), "abc", false},
      {"blank is sought", "abc", "abc ", false},
      {"on a later line", "one\r\ntwo\rthree", "THREE", true},
      {"empty file", "", "a", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TMemoryFileSystem one;
    one.AddFile("C:\\f.txt", c.Content);
    TSearchEngine search(one, FrenchSettings(), Page());
    search.Search({"C:\\", "*", c.Text, true});
    EXPECT_EQ(search.FoundFiles().size(), c.Found ? 1u : 0u);
  }
}

TEST_F(WalkTest, FilesThatCannotBeReadAreFoundOnlyForAnEmptyText) {
  Disk.AddFile("C:\\R\\locked.txt", "abc").Locked = true;
  Disk.AddFile("C:\\R\\broken.txt", "abc").ReadFails = true;
  Disk.AddFile("C:\\R\\empty.txt");
  EXPECT_EQ(Search("C:\\R", "*", "abc"), TFound{});
  EXPECT_EQ(Search("C:\\R", "*", ""),
            (TFound{"1 C:\\R|locked.txt", "2 C:\\R|broken.txt", "3 C:\\R|empty.txt"}));
  EXPECT_EQ(Disk.Opened.size(), 3u); // by the first search only
  EXPECT_EQ(Disk.OpenFiles, 0);
}

TEST_F(WalkTest, LinksAreWalkedUnlessTheyLeadBackOnThePath) {
  Disk.AddFile("C:\\R\\A\\a.txt");
  Disk.AddLink("C:\\R\\A\\ToRoot", "C:\\R");
  Disk.AddLink("C:\\R\\A\\ToSelf", "C:\\R\\A");
  Disk.AddLink("C:\\R\\A\\ToOther", "C:\\Other");
  Disk.AddFile("C:\\Other\\o.txt");
  Disk.AddLink("C:\\Other\\Back", "C:\\R\\A"); // on the path through ToOther
  Disk.AddFile("C:\\R\\r.txt");
  EXPECT_EQ(Search("C:\\R"),
            (TFound{"1 C:\\R\\A|a.txt", "2 C:\\R\\A\\ToOther|o.txt", "3 C:\\R|r.txt"}));
  EXPECT_EQ(Disk.OpenListings, 0);
}

// Whenever the stop comes, the walk asks nothing more, closes what it opened and keeps exactly
// the records that it had counted to the window at that moment: the first ones of a full walk.
// On one thread, which asks its questions in the same order every time; the differential test
// stops the walk on several threads.
TEST_F(WalkTest, AStopEndsTheWalkAtOnceKeepingWhatWasFound) {
  Engine.SetThreads(1);
  Disk.AddFile("C:\\R\\a.txt", "mot");
  Disk.AddFile("C:\\R\\Sub\\b.txt", "mot");
  Disk.AddFile("C:\\R\\Sub\\c.txt", "rien");
  Disk.AddFile("C:\\R\\Sub\\d.txt", "mot");
  Disk.AddFile("C:\\R\\z.txt", "mot");
  TStopWhen never([] { return false; });
  ASSERT_EQ(Engine.Search({"C:\\R", "*", "mot", true}, &never), soCompleted);
  const TFound full = Found();
  ASSERT_EQ(full.size(), 4u);
  EXPECT_TRUE(std::is_sorted(never.Told.begin(), never.Told.end()));
  EXPECT_EQ(never.Told.back(), 4u);
  for (size_t at = 1; at <= never.Told.size(); ++at) {
    SCOPED_TRACE(at);
    size_t calls = 0;
    TStopWhen stop([&] { return ++calls == at; });
    EXPECT_EQ(Engine.Search({"C:\\R", "*", "mot", true}, &stop), soStopped);
    EXPECT_EQ(calls, at);
    EXPECT_EQ(Found(), TFound(full.begin(), full.begin() + stop.Told.back()));
    EXPECT_EQ(Disk.OpenListings, 0);
    EXPECT_EQ(Disk.OpenFiles, 0);
  }
  EXPECT_EQ(Engine.Search({"C:\\R", "*", "mot", true}), soCompleted) << "nothing left of the stop";
  EXPECT_EQ(Found(), full);
}

TEST_F(WalkTest, AStopBetweenTheReadBlocksOfABigFileLeavesItUnreadAndNotFound) {
  const size_t size = 4 * TTextScan::DefaultBlockSize;
  Disk.AddFile("C:\\R\\big.txt", std::string(size, 'x') + "mot");
  TStopWhen stop([&] { return Disk.BytesRead > 0; });
  EXPECT_EQ(Engine.Search({"C:\\R", "*", "mot", true}, &stop), soStopped);
  EXPECT_EQ(Found(), TFound{});
  EXPECT_GT(Disk.BytesRead, 0u);
  EXPECT_LE(Disk.BytesRead, TTextScan::DefaultBlockSize);
}
