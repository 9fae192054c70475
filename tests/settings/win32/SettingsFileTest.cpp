#include "settings/Settings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>

#include "base/SysUtils.h"
#include "support/SettingsDoubles.h"
#include "support/TempFolder.h"

namespace {
using TItems = std::vector<std::string>;

bool FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

bool CanWrite(const std::string& path) {
  const HANDLE probe =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return false;
  CloseHandle(probe);
  return true;
}

// Wine lets root write a read-only file; the Linux immutable flag refuses it to root as
// well. Wine starts a Linux program given by its Linux path, but without a process to wait
// for: the flag is polled until it shows.
bool SetImmutable(const std::string& path, bool on) {
  const auto unixName = reinterpret_cast<char*(CDECL*)(LPCWSTR)>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
  if (!unixName) return false;
  const std::wstring wide(path.begin(), path.end());
  char* name = unixName(wide.c_str());
  if (!name) return false;
  std::string command = std::string("/usr/bin/chattr ") + (on ? "+i " : "-i ") + name;
  HeapFree(GetProcessHeap(), 0, name);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  for (int k = 0; k < 500 && CanWrite(path) == on; ++k)
    Sleep(10);
  return CanWrite(path) != on;
}

// Each test in a folder of its own, with the settings file's full path inside it.
struct Win32SettingsFileTest : ::testing::Test {
  TTempFolder Temp;
  const std::string Folder = Temp.Path(), Path = Temp / "Scrivane.ini";
  bool Immutable = false;

  void TearDown() override {
    if (Immutable) SetImmutable(Path, false);
  }
  void WriteFile(const std::string& text) { std::ofstream(Path, std::ios::binary) << text; }

  // One run of the program: the settings read at start, changed, and written at exit.
  struct TRun {
    TSettingsFile File;
    TStringHistory Masks, Texts;
    TFakeFolderTree Tree{FolderExists};
    explicit TRun(const std::string& path) : File(path) { LoadSettings(File, Masks, Texts, Tree); }
    void Save() { SaveSettings(File, Masks, Texts, Tree); }
  };
};
} // namespace

TEST_F(Win32SettingsFileTest, ALongEntryReadsBackCutTo1023Characters) {
  TSettingsFile file(Path);
  const std::string entry(1500, 'm');
  file.WriteString("Fichiers", "cFic1", entry);
  EXPECT_EQ(entry.substr(0, 1023), file.ReadString("Fichiers", "cFic1", ""));
  EXPECT_EQ("défaut", file.ReadString("Fichiers", "cFic2", "défaut"));
}

TEST_F(Win32SettingsFileTest, FirstRunCreatesTheFileWithCountsAndFolderOnly) {
  {
    TRun run(Path);
    EXPECT_TRUE(run.Masks.Items.empty());
    EXPECT_EQ("", run.Tree.Selected);
    run.Save();
  }
  const std::string text = FileText(Path);
  EXPECT_NE(std::string::npos, text.find("nNbFic=0")) << text;
  EXPECT_NE(std::string::npos, text.find("nNbCont=0")) << text;
  EXPECT_NE(std::string::npos, text.find("cRep=")) << text;
  EXPECT_EQ(std::string::npos, text.find("[Fichiers]")) << text;
  EXPECT_EQ(std::string::npos, text.find("[Contenant]")) << text;
}

namespace {
const char Before[] = "[GENERAL]\r\nnNbFic=1\r\ncRep=C:\\\r\n[Fichiers]\r\ncFic1=ancien\r\n";

// A run that loaded Before and found its file unwritable at exit.
void ExpectRefusedSave(Win32SettingsFileTest::TRun& run, const std::string& path) {
  EXPECT_EQ((TItems{"ancien"}), run.Masks.Items);
  run.Masks.Items.push_back("nouveau");
  try {
    run.Save();
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ("Ne peut écrire dans " + path, e.Message());
  }
}
} // namespace

TEST_F(Win32SettingsFileTest, AReadOnlyFileRaisesAndKeepsItsValues) {
  WriteFile(Before);
  ASSERT_TRUE(SetFileAttributesA(Path.c_str(), FILE_ATTRIBUTE_READONLY));
  Immutable = CanWrite(Path) && SetImmutable(Path, true);
  if (CanWrite(Path)) GTEST_SKIP() << "no way to make the file refuse writes for this user";
  TRun run(Path);
  ExpectRefusedSave(run, Path);
  EXPECT_EQ(Before, FileText(Path));
}

// Another program holding the file open without sharing refuses the writes as well.
TEST_F(Win32SettingsFileTest, ALockedFileRaisesAndKeepsItsValues) {
  WriteFile(Before);
  TRun run(Path);
  const HANDLE lock =
      CreateFileA(Path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, lock);
  ExpectRefusedSave(run, Path);
  CloseHandle(lock);
  EXPECT_EQ(Before, FileText(Path));
}

TEST_F(Win32SettingsFileTest, TheNextRunReadsBackWhatARunWrote) {
  const TItems masks = {"*.txt", "*.TXT", "", "*.cpp;*.h"},
               texts = {"été", "a=b", " mot ", "\"cité\"", "'a'", "x\t"};
  {
    TRun run(Path);
    run.Masks.Items = masks;
    run.Texts.Items = texts;
    run.Tree.SelectPath(Folder);
    run.Save();
  }
  const std::string written = FileText(Path);
  TRun next(Path);
  EXPECT_EQ(masks, next.Masks.Items);
  EXPECT_EQ(texts, next.Texts.Items);
  EXPECT_EQ(Folder, next.Tree.Selected);
  next.Save();
  EXPECT_EQ(written, FileText(Path));
}

// The service gives an absent key its default and an empty value as empty: a gap is an empty
// item, and the long run of absent keys after the last entry ends the loading.
TEST_F(Win32SettingsFileTest, AHugeHandEditedCountLoadsTheEntriesAndTheirGapsOnly) {
  WriteFile("[GENERAL]\r\nnNbFic=2000000000\r\n[Fichiers]\r\ncFic1=a\r\ncFic2=\r\ncFic4=b\r\n");
  TRun run(Path);
  EXPECT_EQ((TItems{"a", "", "", "b"}), run.Masks.Items);
}

TEST_F(Win32SettingsFileTest, ADriveRootIsStoredWithItsBackslashAndSelectedAgain) {
  {
    TRun run(Path);
    run.Tree.SelectPath("C:\\");
    run.Save();
  }
  EXPECT_NE(std::string::npos, FileText(Path).find("cRep=C:\\\r\n"));
  TRun next(Path);
  EXPECT_EQ((TItems{"Populate", "SelectPath(C:\\)"}), next.Tree.Calls);
  EXPECT_EQ("C:\\", next.Tree.Selected);
}

TEST_F(Win32SettingsFileTest, AStoredFolderThatIsGoneSelectsTheWindowsFolder) {
  WriteFile("[GENERAL]\r\ncRep=" + Folder + "\\Disparu\r\n");
  TRun run(Path);
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(windows, run.Tree.Selected);
}

TEST_F(Win32SettingsFileTest, TheFileLiesBesideTheProgramWhateverTheCurrentFolder) {
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string expected = program;
  expected = expected.substr(0, expected.rfind('\\') + 1) + "Scrivane.ini";
  ASSERT_TRUE(SetCurrentDirectoryA(Folder.c_str()));
  EXPECT_EQ(expected, SettingsFilePath());
  SetCurrentDirectoryA("C:\\");
}
