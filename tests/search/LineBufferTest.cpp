#include "search/LineBuffer.h"

#include "base/SysUtils.h"
#include "support/MemoryFileSystem.h"

#include <gtest/gtest.h>

using TLines = std::vector<std::string>;

TEST(SplitLines, FollowsTheLineRule) {
  const struct {
    std::string Bytes;
    TLines Lines;
  } cases[] = {
      {"", {}},
      {"abc", {"abc"}},
      {"a\r\nb\n\nc\r", {"a", "b", "", "c"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n", {"a"}},
      {"\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {"a\rb\rc", {"a", "b", "c"}},
      {std::string("abc\0xyz", 7), {"abc"}},
      {std::string("\0abc", 4), {}},
      {std::string("a\0b\nc", 5), {"a"}},
      {std::string("h\0e\0", 4), {"h"}}, // UTF-16: only up to the first NUL
      {" \xE9t\xE9 \r\n", {" \xE9t\xE9 "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Bytes));
    EXPECT_EQ(SplitLines(c.Bytes), c.Lines);
  }
}

TEST(LineBuffer, LoadsTheFileOrKeepsItsLinesWhenTheOpenFails) {
  TMemoryFileSystem fs;
  fs.AddFile("C:\\a.txt", "one\r\ntwo\r\n");
  fs.AddFile("C:\\locked.txt", "x").Locked = true;
  TLineBuffer buffer(fs);
  buffer.LoadLines("C:\\a.txt");
  EXPECT_EQ(buffer.Lines(), (TLines{"one", "two"}));
  EXPECT_EQ(fs.OpenFiles, 0);

  for (const char* path : {"C:\\locked.txt", "C:\\missing.txt", "D:\\a.txt"}) {
    SCOPED_TRACE(path);
    try {
      buffer.LoadLines(path);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), std::string("Ne peut ouvrir le fichier ") + path);
    }
    EXPECT_EQ(buffer.Lines(), (TLines{"one", "two"}));
  }
}

TEST(LineBuffer, ReadFailureIsAnErrorAndReleasesTheFile) {
  TMemoryFileSystem fs;
  fs.AddFile("C:\\a.txt", "one");
  fs.AddFile("C:\\bad.txt", "two").ReadFails = true;
  TLineBuffer buffer(fs);
  buffer.LoadLines("C:\\a.txt");
  EXPECT_THROW(buffer.LoadLines("C:\\bad.txt"), Exception);
  EXPECT_TRUE(buffer.Lines().empty());
  EXPECT_EQ(fs.OpenFiles, 0);
  buffer.LoadLines("C:\\a.txt");
  EXPECT_EQ(buffer.Lines(), TLines{"one"});
}
