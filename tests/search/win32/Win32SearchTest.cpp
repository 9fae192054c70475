// The Win32 file system and regional settings on real files, under the French locale.
#include "platform/FileSystem.h"
#include "platform/RegionalSettings.h"
#include "search/SearchEngine.h"
#include "support/ReadAll.h"
#include "support/TempFolder.h"
#include "support/WineHost.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

class Win32SearchTest : public testing::Test {
protected:
  std::string Write(const std::string& name, const std::string& content = "",
                    DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    const std::string path = Folder + "\\" + name;
    const HANDLE file = CreateFileA(("\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, attributes, nullptr); // aux.txt is a file
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return path;
  }

  void SetLocalTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour,
                    WORD minute, WORD second) {
    const SYSTEMTIME fields{year, month, 0, day, hour, minute, second, 0};
    FILETIME local, utc;
    ASSERT_TRUE(SystemTimeToFileTime(&fields, &local));
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
    const HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &utc));
    CloseHandle(file);
  }

  std::map<std::string, TSearchRec> List() {
    std::map<std::string, TSearchRec> entries;
    const auto listing = PlatformFileSystem().ListFolder(PlatformFileSystem().NativePath(Folder));
    if (listing)
      for (TSearchRec entry; listing->Next(entry);)
        entries[entry.Name] = entry;
    return entries;
  }

  TTempFolder Temp;
  const std::string Folder = Temp.Path();
};

int32_t Packed(int y, int mo, int d, int h, int mi, int s) {
  return PackDosDateTime({y, mo, d, h, mi, s});
}

TFormatSettings UserSettings() {
  return TFormatSettings::FromRegional(ReadRegionalSettings());
}

} // namespace

TEST_F(Win32SearchTest, ListsEveryAttributeKindWithSizeAndLocalTime) {
  Write("hidden.txt", "abc", FILE_ATTRIBUTE_HIDDEN);
  Write("system.txt", "", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
  Write("README");
  ASSERT_TRUE(CreateDirectoryA((Folder + "\\Secret").c_str(), nullptr));
  SetFileAttributesA((Folder + "\\Secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetLocalTime(Write("dated.txt"), 2005, 12, 25, 14, 3, 9);
  SetLocalTime(Write("old.txt"), 1975, 6, 1, 12, 0, 0);
  SetLocalTime(Write("late.txt"), 2150, 6, 1, 12, 0, 0);

  auto entries = List();
  EXPECT_EQ(entries.size(), 9u) << "with . and ..";
  EXPECT_TRUE(entries["hidden.txt"].Attr & faHidden);
  EXPECT_EQ(entries["hidden.txt"].Size, 3u);
  EXPECT_TRUE(entries["system.txt"].Attr & faSysFile);
  EXPECT_TRUE(entries["system.txt"].Attr & faReadOnly);
  EXPECT_TRUE(entries["Secret"].Attr & faDirectory);
  EXPECT_TRUE(entries["Secret"].Attr & faHidden);
  EXPECT_EQ(entries["dated.txt"].Time, Packed(2005, 12, 25, 14, 3, 8));
  EXPECT_EQ(entries["old.txt"].Time, Packed(1980, 1, 1, 0, 0, 0));
  EXPECT_EQ(entries["late.txt"].Time, Packed(2107, 12, 31, 23, 59, 58));
  EXPECT_FALSE(
      PlatformFileSystem().ListFolder(PlatformFileSystem().NativePath(Folder + "\\Missing")));
}

TEST_F(Win32SearchTest, ASparseFileOfThreeBillionBytes) {
  Temp.Sparse("big.bin", 3000000000);
  EXPECT_EQ(List()["big.bin"].Size, 3000000000ull);
  TSearchEngine engine(PlatformFileSystem(), UserSettings());
  engine.Search({Folder, "*.bin", "", false});
  ASSERT_EQ(engine.FoundFiles().size(), 1u);
  EXPECT_EQ(engine.FoundFiles()[0]->Size, 3000000000);
}

// Another program may hold a file while it lets others read and write it (an editor, a log
// being written): it is read. One that shares nothing keeps it from being read.
TEST_F(Win32SearchTest, AFileHeldWithoutSharingIsFoundOnlyForAnEmptyText) {
  const std::string held = Write("held.txt", "abc"), shared = Write("shared.txt", "abc");
  Write("free.txt", "abc");
  const auto hold = [](const std::string& path, DWORD share) {
    return std::unique_ptr<void, decltype(&CloseHandle)>(
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0,
                    nullptr),
        &CloseHandle);
  };
  const auto heldHandle = hold(held, 0);
  const auto sharedHandle = hold(shared, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_NE(heldHandle.get(), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(PlatformFileSystem().OpenForReading(PlatformFileSystem().NativePath(held)));
  {
    const auto file = PlatformFileSystem().OpenForReading(PlatformFileSystem().NativePath(shared));
    ASSERT_TRUE(file);
    EXPECT_EQ(ReadAll(*file), "abc");
  }

  TSearchEngine engine(PlatformFileSystem(), UserSettings());
  engine.Search({Folder, "*.txt", "ABC", false});
  ASSERT_EQ(engine.FoundFiles().size(), 2u);
  EXPECT_EQ(engine.FoundFiles()[0]->Name + " " + engine.FoundFiles()[1]->Name,
            "free.txt shared.txt");
  engine.Search({Folder, "*.txt", "", false});
  EXPECT_EQ(engine.FoundFiles().size(), 3u);
}

// The walk reaches files through the literal form of their paths: past MAX_PATH characters,
// and where a name is a device's (aux.text names the AUX device in the usual form).
TEST_F(Win32SearchTest, FilesPastMaxPathAndNamedLikeADeviceAreRead) {
  const std::wstring deep = std::wstring(120, L'd') + L"\\" + std::wstring(120, L'e') + L"\\";
  for (const wchar_t* name : {L"normal.txt", L"aux.text"})
    Temp.Write(deep + name, "abc");
  TSearchEngine engine(PlatformFileSystem(), UserSettings());
  engine.Search({Folder, "*.te*", "ABC", true});
  ASSERT_EQ(engine.FoundFiles().size(), 1u);
  const TInfoFic& found = *engine.FoundFiles()[0];
  EXPECT_GT(JoinPath(found.Folder, found.Name).size(), size_t(MAX_PATH));
  engine.Search({Folder, "*.txt", "ABC", true});
  EXPECT_EQ(engine.FoundFiles().size(), 1u);
}

// A share's files are opened through the \\?\UNC\ form of their paths. Under Wine,
// \\scrivane\name is the host's link dosdevices/unc/scrivane/name.
TEST_F(Win32SearchTest, FilesOnAShareAreRead) {
  Write("aux.txt", "abc");
  Write("normal.txt", "abc");
  const std::string drive = HostPath("C:\\"), leaf = Folder.substr(Folder.rfind('\\') + 1);
  const std::string server = drive.substr(0, drive.rfind("/c:") + 1) + "unc/scrivane";
  ASSERT_TRUE(RunOnHost({"mkdir", "-p", server})) << "a share needs Wine";
  const THostLink share("Z:" + server + "/" + leaf, HostPath(Folder));
  ASSERT_TRUE(share.Made());
  TSearchEngine engine(PlatformFileSystem(), UserSettings());
  engine.Search({"\\\\scrivane\\" + leaf, "*.txt", "ABC", false});
  EXPECT_EQ(engine.FoundFiles().size(), 2u);
}

TEST_F(Win32SearchTest, DateTextUnderTheFrenchLocale) {
  const TFormatSettings settings = UserSettings();
  EXPECT_EQ(settings.ShortDateFormat, "dd/MM/yyyy");
  EXPECT_EQ(settings.LongTimeFormat, "hh:mm:ss");
  EXPECT_EQ(FormatFileTime(Packed(2005, 12, 25, 14, 3, 8), settings), "25/12/2005 14:03:08");
  EXPECT_EQ(FormatFileTime(Packed(2005, 12, 25, 0, 0, 0), settings), "25/12/2005");

  SetLocalTime(Write("a.txt"), 2005, 12, 25, 14, 3, 8);
  TSearchEngine engine(PlatformFileSystem(), settings);
  engine.Search({Folder + "\\", "A.TXT", "", true});
  ASSERT_EQ(engine.FoundFiles().size(), 1u);
  EXPECT_EQ(engine.FoundFiles()[0]->Folder, Folder + "\\");
  EXPECT_EQ(engine.FoundFiles()[0]->DateText, "25/12/2005 14:03:08");
}

// Names that the code page lacks, most beside the name that a best-fit reading makes of them:
// each file is found once, shown with "?" for what the code page lacks, and reads as its own
// text. Nothing outside the folder is listed, though x＼..＼..＼outside read by best fit reaches
// it, and p＼.. read so walks its own folder again and again.
TEST_F(Win32SearchTest, NamesTheCodePageLacksAreFoundAsThemselvesInsideTheFolder) {
  const struct {
    const wchar_t* Path; // under root
    const char* Folder;  // shown, under root
    const char* Name;    // shown
  } rows[] = {
      {L"Omega.txt", "", "Omega.txt"},
      {L"\u03a9mega.txt", "", "?mega.txt"},
      {L"readme.txt", "", "readme.txt"},
      {L"\uff52\uff45\uff41\uff44\uff4d\uff45.txt", "", "??????.txt"},
      {L"\U0001f600.txt", "", "??.txt"},
      {L"\u65e5\u672c\\f.txt", "\\??", "f.txt"},
      {L"x\uff3c..\uff3c..\uff3coutside\\f.txt", "\\x?..?..?outside", "f.txt"},
      {L"p\uff3c..\\f.txt", "\\p?..", "f.txt"},
      {L"docs\\f.txt", "\\docs", "f.txt"},
      {L"\uff44\uff4f\uff43\uff53\\f.txt", "\\????", "f.txt"},
      {L"sub\\f.txt", "\\sub", "f.txt"},
      {L"sub.\\f.txt", "\\sub.", "f.txt"},
  };
  const std::string root = Folder + "\\root";
  Temp.Write("outside\\f.txt", "needle outside");
  for (const auto& row : rows)
    Temp.Write(L"root\\" + std::wstring(row.Path), "needle " + std::to_string(&row - rows));
  TSearchEngine engine(PlatformFileSystem(), UserSettings());
  engine.Search({root, "*.*", "NEEDLE", true});
  EXPECT_EQ(engine.FoundFiles().size(), std::size(rows));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Folder + std::string("\\") + row.Name);
    const auto found =
        std::find_if(engine.FoundFiles().begin(), engine.FoundFiles().end(), [&](const auto& file) {
          return file->Folder == root + row.Folder && file->Name == row.Name;
        });
    ASSERT_NE(found, engine.FoundFiles().end());
    const TInfoFic& file = **found;
    ASSERT_TRUE(engine.LineBuffer().LoadLines({file.NativePath, JoinPath(file.Folder, file.Name)}));
    EXPECT_EQ(engine.LineBuffer().Lines(),
              std::vector<std::string>{"needle " + std::to_string(&row - rows)});
  }
}
