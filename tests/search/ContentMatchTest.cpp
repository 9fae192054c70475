#include "search/ContentMatch.h"

#include "base/SysUtils.h"
#include "search/SearchEngine.h"
#include "support/MemoryFileSystem.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

// Bytes that make line breaks, cut the text, or differ only in case.
std::string RandomBytes(std::mt19937& random, size_t maxLength) {
  static const char Alphabet[] = {'a',  'b',    'A',    'B',    'x',    ' ',    '\r',   '\n',
                                  '\0', '\xE9', '\xC9', '\xFF', '\x9F', '\xE0', '\xC0', '\xDF'};
  std::uniform_int_distribution<size_t> length(0, maxLength), pick(0, sizeof Alphabet - 1);
  std::string bytes(length(random), ' ');
  for (char& c : bytes)
    c = Alphabet[pick(random)];
  return bytes;
}

// A content text: one line, no NUL.
std::string RandomText(std::mt19937& random) {
  std::string text = RandomBytes(random, 3);
  for (char& c : text)
    if (c == '\r' || c == '\n' || c == '\0') c = 'a';
  return text.empty() ? "a" : text;
}

// Asks the walk to stop at its StopAt-th question; remembers the count it was told last.
struct TStopAt : TSearchProgress {
  explicit TStopAt(size_t stopAt) : StopAt(stopAt) {}
  bool StopRequested(size_t foundCount) override {
    Told = foundCount;
    return ++Asked == StopAt;
  }
  size_t StopAt, Asked = 0, Told = 0;
};

} // namespace

// The walk's content match against the plain line-by-line rule, on random trees, with the
// contents read on 1, 2 and 8 threads: every count gives the files that the rule finds, in
// walk order, ends where a found file's time stops the walk, and a stop asked for at any point
// keeps the files counted at that point and nothing more.
TEST(ContentMatchTest, WalkAgreesWithThePlainRule) {
  const unsigned seed = 20051225;
  std::cout << "seed " << seed << "\n";
  std::mt19937 random(seed);
  static const TCodePage page = TCodePage::Windows1252();
  TMemoryFileSystem fs;
  // In walk order, the subfolder first: enough files that workers are woken.
  std::vector<std::string> paths;
  for (int n = 0; n < 80; ++n)
    fs.AddFile(paths.emplace_back(Format(n < 30 ? "C:\\d\\s\\b%d" : "C:\\d\\a%d", n)));
  const unsigned threadCounts[] = {1, 2, 8};
  std::vector<std::unique_ptr<TSearchEngine>> engines;
  for (const unsigned threads : threadCounts) {
    engines.push_back(std::make_unique<TSearchEngine>(fs, TFormatSettings(), page));
    engines.back()->SetThreads(threads);
  }
  const auto oneIn = [&](unsigned n) { return random() % n == 0; };
  int found = 0, stopped = 0;
  for (int i = 0; i < 3000; ++i) {
    const std::string text = RandomText(random);
    std::vector<std::string> expected;
    bool stops = false;
    for (const std::string& path : paths) {
      TMemoryFileSystem::TEntry& file = fs.Entry(path);
      file.Content = RandomBytes(random, 40);
      file.Locked = oneIn(12);
      file.ReadFails = oneIn(12);
      file.Time = oneIn(100) ? 0 : TMemoryFileSystem::DefaultTime; // 0: no date, an error
      if (stops || file.Locked || file.ReadFails || !PlainContainsText(file.Content, text, page))
        continue;
      stops = file.Time == 0;
      if (!stops) expected.push_back(file.Name);
    }
    found += static_cast<int>(expected.size());
    stopped += stops;
    for (size_t e = 0; e < engines.size(); ++e) {
      SCOPED_TRACE(testing::Message() << "case " << i << ", " << threadCounts[e] << " threads");
      TSearchEngine& engine = *engines[e];
      TStopAt progress(oneIn(4) ? 1 + random() % 200 : 0);
      TSearchOutcome outcome = soCompleted;
      bool raised = false;
      try {
        outcome = engine.Search({"C:\\d", "*", text, true}, &progress);
      } catch (const Exception&) {
        raised = true;
      }
      std::vector<std::string> names;
      for (const auto& record : engine.FoundFiles())
        names.push_back(record->Name);
      std::vector<std::string> kept = expected;
      if (outcome == soStopped) {
        ASSERT_LE(progress.Told, expected.size());
        kept.resize(progress.Told);
      } else {
        EXPECT_EQ(raised, stops);
      }
      ASSERT_EQ(names, kept) << "text " << testing::PrintToString(text);
      ASSERT_EQ(fs.OpenFiles, 0);
      ASSERT_EQ(fs.OpenListings, 0);
    }
  }
  // Both outcomes, and the stops, are well represented.
  std::cout << found << " found, " << stopped << " stopped by a time\n";
  EXPECT_GT(found, 20000);
  EXPECT_LT(found, 80000);
  EXPECT_GT(stopped, 300);
}

TEST(ContentMatchTest, PlainRule) {
  const TCodePage page = TCodePage::Windows1252();
  const struct {
    std::string Bytes;
    const char* Text;
    bool Found;
  } cases[] = {
      {"xxABCxx", "abc", true}, {"L'\xC9T\xC9", "\xE9t\xE9", true},
      {"\xFF", "\x9F", true}, // ÿ and Ÿ
      {"ab\nc", "abc", false},  {std::string("abc\0xyz", 7), "xyz", false},
      {"", "", true},           {"", "a", false},
      {" abc", " a", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Bytes) + " / " + c.Text);
    EXPECT_EQ(PlainContainsText(c.Bytes, c.Text, page), c.Found);
  }
}
