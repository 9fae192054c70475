#include "search/LineBuffer.h"
#include "support/FilePath.h"

#include "base/SysUtils.h"
#include "support/MemoryFileSystem.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

using TLines = std::vector<std::string>;

namespace {
// A buffer holding the lines of an earlier file, with C:\\a.txt holding content; fs counts the
// bytes read from now on.
TLineBuffer AfterAnOldFile(TMemoryFileSystem& fs, const std::string& content) {
  fs.AddFile("C:\\old.txt", "old");
  fs.AddFile("C:\\a.txt", content);
  TLineBuffer buffer(fs);
  buffer.LoadLines(MemoryPath("C:\\old.txt"));
  fs.BytesRead = 0;
  return buffer;
}
} // namespace

TEST(SplitLinesTest, FollowsTheLineRule) {
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

namespace {
// The line rule byte by byte, for a text without NUL.
TLines PlainSplit(const std::string& text) {
  TLines lines;
  std::string line;
  for (size_t k = 0; k < text.size(); ++k) {
    if (text[k] != '\r' && text[k] != '\n') {
      line += text[k];
      continue;
    }
    lines.push_back(line);
    line.clear();
    if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}
} // namespace

// A text cut into pieces anywhere, a CR LF between two of them included, splits as the plain
// rule splits it whole; lines long and short, so that breaks are sought many bytes at a time.
TEST(SplitLinesTest, PiecesSplitAsThePlainRuleSplitsTheWholeText) {
  const unsigned seed = 20261209;
  std::printf("seed %u\n", seed);
  SCOPED_TRACE(Format("seed %u", seed));
  std::mt19937 random(seed);
  for (int round = 0; round < 4000; ++round) {
    const unsigned breakEvery = 2 + random() % 40;
    std::string text;
    for (int n = random() % 120; n > 0; --n)
      text += random() % breakEvery ? char('a' + random() % 3) : "\r\n"[random() % 2];
    TLines lines;
    TLineSplitter splitter(lines);
    for (size_t pos = 0; pos < text.size();) {
      const size_t length = std::min<size_t>(random() % 40, text.size() - pos);
      splitter.Add(std::string_view(text).substr(pos, length));
      pos += length;
    }
    splitter.Finish();
    const TLines plain = PlainSplit(text);
    ASSERT_EQ(lines, plain) << testing::PrintToString(text);
    ASSERT_EQ(SplitLines(text), plain) << testing::PrintToString(text);
  }
}

// The viewer's load: the text up to the first NUL counts against the limit, and nothing past the
// byte that shows it too long, nor past the NUL, is read.
TEST(LineBufferTest, ALimitStopsTheReadingOfATextTooLong) {
  const size_t huge = 4 << 20;
  const struct {
    const char* Name;
    std::string Content;
    uint64_t Limit;
    bool Loaded;
    TLines Lines;
    uint64_t MostRead;
  } cases[] = {
      {"at the limit", "ab\r\ncd", 6, true, {"ab", "cd"}, 6},
      {"one byte over", "ab\r\ncde", 6, false, {}, 7},
      {"a NUL within the limit",
       std::string("ab\0", 3) + std::string(huge, 'x'),
       6,
       true,
       {"ab"},
       7},
      {"a NUL first in a huge file, no limit",
       std::string(1, '\0') + std::string(huge, 'x'),
       TLineBuffer::NoLimit,
       true,
       {},
       huge / 4},
      {"huge, no NUL", std::string(huge, 'x'), 1000, false, {}, 1001},
      {"no limit",
       std::string(huge, 'x') + "\ny",
       TLineBuffer::NoLimit,
       true,
       {std::string(huge, 'x'), "y"},
       huge + 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TMemoryFileSystem fs;
    TLineBuffer buffer = AfterAnOldFile(fs, c.Content);
    EXPECT_EQ(buffer.LoadLines(MemoryPath("C:\\a.txt"), c.Limit), c.Loaded);
    EXPECT_EQ(buffer.Lines(), c.Lines);
    EXPECT_LE(fs.BytesRead, c.MostRead);
    EXPECT_EQ(fs.MisalignedReads, 0);
    EXPECT_EQ(fs.OpenFiles, 0);
  }
}

TEST(LineBufferTest, LoadsTheFileOrKeepsItsLinesWhenTheOpenFails) {
  TMemoryFileSystem fs;
  fs.AddFile("C:\\a.txt", "one\r\ntwo\r\n");
  fs.AddFile("C:\\locked.txt", "x").Locked = true;
  TLineBuffer buffer(fs);
  buffer.LoadLines(MemoryPath("C:\\a.txt"));
  EXPECT_EQ(buffer.Lines(), (TLines{"one", "two"}));
  EXPECT_EQ(fs.OpenFiles, 0);

  for (const char* path : {"C:\\locked.txt", "C:\\missing.txt", "D:\\a.txt"}) {
    SCOPED_TRACE(path);
    try {
      buffer.LoadLines(MemoryPath(path));
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), std::string("Ne peut ouvrir le fichier ") + path);
    }
    EXPECT_EQ(buffer.Lines(), (TLines{"one", "two"}));
  }
}

TEST(LineBufferTest, ReadFailureIsAnErrorAndReleasesTheFile) {
  TMemoryFileSystem fs;
  fs.AddFile("C:\\a.txt", "one");
  fs.AddFile("C:\\bad.txt", "two").ReadFails = true;
  TLineBuffer buffer(fs);
  buffer.LoadLines(MemoryPath("C:\\a.txt"));
  EXPECT_THROW(buffer.LoadLines(MemoryPath("C:\\bad.txt")), Exception);
  EXPECT_TRUE(buffer.Lines().empty());
  EXPECT_EQ(fs.OpenFiles, 0);
  buffer.LoadLines(MemoryPath("C:\\a.txt"));
  EXPECT_EQ(buffer.Lines(), TLines{"one"});
}

// The excerpt's reading: the lines one by one, none kept, the reading over at the first NUL,
// with the block in which the reader had enough, or with the block that makes a line too long.
TEST(LineBufferTest, ForEachLineHandsOverLinesUntilTheReaderHasEnough) {
  const size_t huge = 4 << 20, oneBlock = 256 << 10;
  const struct {
    const char* Name;
    std::string Content;
    size_t Wanted;
    uint64_t MaxLine;
    TLines Lines;
    bool Whole;
    uint64_t MostRead;
  } cases[] = {
      {"whole", "a\r\nb\rc", 9, 1, {"a", "b", "c"}, true, 6},
      {"up to the NUL",
       std::string("a\nb\0c\n", 6) + std::string(huge, 'x'),
       9,
       1,
       {"a", "b"},
       true,
       oneBlock},
      {"enough after one line", "a\n" + std::string(huge, 'x'), 1, huge, {"a"}, true, oneBlock},
      {"a line too long", "a\n" + std::string(huge, 'x') + "\nb", 9, 1000, {"a"}, false, oneBlock},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TMemoryFileSystem fs;
    TLineBuffer buffer = AfterAnOldFile(fs, c.Content);
    TLines lines;
    const bool whole = buffer.ForEachLine(
        MemoryPath("C:\\a.txt"),
        [&](std::string_view line) {
          lines.emplace_back(line);
          return lines.size() < c.Wanted;
        },
        c.MaxLine);
    EXPECT_EQ(lines, c.Lines);
    EXPECT_EQ(whole, c.Whole);
    EXPECT_TRUE(buffer.Lines().empty());
    EXPECT_LE(fs.BytesRead, c.MostRead);
    EXPECT_EQ(fs.OpenFiles, 0);
  }
  TMemoryFileSystem fs;
  TLineBuffer buffer(fs);
  EXPECT_THROW(
      buffer.ForEachLine(MemoryPath("C:\\absent.txt"), [](std::string_view) { return true; }),
      Exception);
}
