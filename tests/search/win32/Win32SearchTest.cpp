// The Win32 file system and regional settings on real files, under the French locale.
#include "platform/FileSystem.h"
#include "platform/RegionalSettings.h"
#include "search/SearchEngine.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>

namespace {

class Win32Search : public testing::Test {
protected:
  std::string Write(const std::string& name, const std::string& content = "",
                    DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    const std::string path = folder + "\\" + name;
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
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
    const auto listing = PlatformFileSystem().FindFirst(folder + "\\*.*");
    if (listing)
      for (TSearchRec entry; listing->Next(entry);)
        entries[entry.Name] = entry;
    return entries;
  }

  TTempFolder Temp;
  const std::string folder = Temp.Path();
};

int32_t Packed(int y, int mo, int d, int h, int mi, int s) {
  return PackDosDateTime({y, mo, d, h, mi, s});
}

TFormatSettings UserSettings() {
  return TFormatSettings::FromRegional(ReadRegionalSettings());
}

} // namespace

TEST_F(Win32Search, ListsEveryAttributeKindWithSizeAndLocalTime) {
  Write("hidden.txt", "abc", FILE_ATTRIBUTE_HIDDEN);
  Write("system.txt", "", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
  Write("README");
  ASSERT_TRUE(CreateDirectoryA((folder + "\\Secret").c_str(), nullptr));
  SetFileAttributesA((folder + "\\Secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
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
  EXPECT_FALSE(PlatformFileSystem().FindFirst(folder + "\\Missing\\*.*"));
}

TEST_F(Win32Search, ASparseFileOfThreeBillionBytes) {
  Temp.Sparse("big.bin", 3000000000);
  EXPECT_EQ(List()["big.bin"].Size, 3000000000ull);
  TSearchEngine engine(PlatformFileSystem(), UserSettings());
  engine.Search({folder, "*.bin", "", false});
  ASSERT_EQ(engine.FoundFiles().size(), 1u);
  EXPECT_EQ(engine.FoundFiles()[0]->Size, 3000000000);
}

TEST_F(Win32Search, AFileHeldOpenWithoutSharingIsFoundOnlyForAnEmptyText) {
  const std::string path = Write("held.txt", "abc");
  Write("free.txt", "abc");
  {
    const auto file = PlatformFileSystem().OpenExclusive(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(ReadAll(*file), "abc");
  }
  const HANDLE held =
      CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(PlatformFileSystem().OpenExclusive(path));

  TSearchEngine engine(PlatformFileSystem(), UserSettings());
  engine.Search({folder, "*.txt", "ABC", false});
  ASSERT_EQ(engine.FoundFiles().size(), 1u);
  EXPECT_EQ(engine.FoundFiles()[0]->Name, "free.txt");
  engine.Search({folder, "*.txt", "", false});
  EXPECT_EQ(engine.FoundFiles().size(), 2u);
  CloseHandle(held);
}

TEST_F(Win32Search, DateTextUnderTheFrenchLocale) {
  const TFormatSettings settings = UserSettings();
  EXPECT_EQ(settings.ShortDateFormat, "dd/MM/yyyy");
  EXPECT_EQ(settings.LongTimeFormat, "hh:mm:ss");
  EXPECT_EQ(FormatFileTime(Packed(2005, 12, 25, 14, 3, 8), settings), "25/12/2005 14:03:08");
  EXPECT_EQ(FormatFileTime(Packed(2005, 12, 25, 0, 0, 0), settings), "25/12/2005");

  SetLocalTime(Write("a.txt"), 2005, 12, 25, 14, 3, 8);
  TSearchEngine engine(PlatformFileSystem(), settings);
  engine.Search({folder + "\\", "A.TXT", "", true});
  ASSERT_EQ(engine.FoundFiles().size(), 1u);
  EXPECT_EQ(engine.FoundFiles()[0]->Folder, folder + "\\");
  EXPECT_EQ(engine.FoundFiles()[0]->DateText, "25/12/2005 14:03:08");
}
