// The resources that Explorer, Task Manager and the taskbar read from the program's file. This
// test program links the same resource objects as Scrivane.exe.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {
const WORD French = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);

std::vector<char> VersionInfo() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::vector<char> info(GetFileVersionInfoSizeA(path, nullptr));
  if (info.empty() || !GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()))
    return {};
  return info;
}

std::string VersionText(std::vector<char>& info, const std::string& name) {
  char* text = nullptr;
  UINT length = 0;
  const std::string key = "\\StringFileInfo\\040C04E4\\" + name;
  if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length))
    return "(none)";
  return std::string(text, length > 0 ? length - 1 : 0);
}

#pragma pack(push, 2)
struct TIconDirEntry {
  BYTE Width, Height, Colours, Reserved;
  WORD Planes, BitCount;
  DWORD Bytes;
  WORD Id;
};
#pragma pack(pop)

const BYTE* ResourceData(LPCSTR type, LPCSTR name) {
  HRSRC found = FindResourceExA(nullptr, type, name, French);
  return found ? static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found))) : nullptr;
}
} // namespace

TEST(ResourcesTest, TheVersionIsFrenchWindows1252AndItsTextMatchesItsNumbers) {
  std::vector<char> info = VersionInfo();
  ASSERT_FALSE(info.empty());
  WORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x040C);
  EXPECT_EQ(translation[1], 1252);

  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  const std::string numbers = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  const struct {
    const char* name;
    std::string expected;
  } rows[] = {{"ProductName", "Scrivane"},
              {"OriginalFilename", "Scrivane.exe"},
              {"FileVersion", numbers},
              {"ProductVersion", numbers},
              // The source is UTF-8: a misread would show "Â©" here.
              {"LegalCopyright", "© 2026 Les auteurs de Scrivane"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(VersionText(info, row.name), row.expected);
  }
}

// Each size has an image of its own, so that no view shows an enlarged small one.
TEST(ResourcesTest, TheIconHasItsOwnImageForEachSizeThatWindowsShows) {
  const BYTE* group = ResourceData(RT_GROUP_ICON, "MAINICON");
  ASSERT_NE(group, nullptr) << "no French icon group";
  const auto* entries = reinterpret_cast<const TIconDirEntry*>(group + 6);
  const WORD count = reinterpret_cast<const WORD*>(group)[2];
  for (int size : {16, 24, 32, 48, 256}) {
    SCOPED_TRACE(size);
    const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), TRUE, size, size, 0);
    int chosen = 0;
    for (WORD k = 0; k < count; ++k)
      if (entries[k].Id == id) chosen = entries[k].Width == 0 ? 256 : entries[k].Width;
    EXPECT_EQ(chosen, size);
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, size, size, 0));
    EXPECT_NE(icon, nullptr) << "the image does not load";
    DestroyIcon(icon);
  }
}
