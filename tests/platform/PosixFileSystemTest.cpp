#include "platform/FileSystem.h"
#include "support/ReadAll.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Another program's hold on a file: an exclusive lock for one that shares nothing.
class THolder {
public:
  THolder(const fs::path& path, int lock) : FFd(open(path.c_str(), O_RDONLY)) {
    EXPECT_EQ(flock(FFd, lock | LOCK_NB), 0) << path;
  }
  ~THolder() { close(FFd); }

private:
  int FFd;
};

class PosixFileSystemTest : public testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/scrivane-fs-XXXXXX";
    Root = mkdtemp(pattern);
    Drive = "Z:" + Root.string();
    for (char& c : Drive)
      if (c == '/') c = '\\';
  }
  void TearDown() override { fs::remove_all(Root); }
  void Write(const std::string& name, const std::string& content) {
    std::ofstream(Root / name, std::ios::binary) << content;
  }
  fs::path Root;
  std::string Drive; // Root in the engine's form
};

} // namespace

TEST_F(PosixFileSystemTest, ListsAsWineDoesDriveZ) {
  Write("a.txt", "hello");
  fs::create_directory(Root / "Sub");
  fs::create_directory_symlink(Root, Root / "Loop");
  std::map<std::string, TSearchRec> entries;
  const auto listing = PlatformFileSystem().ListFolder({Drive});
  ASSERT_TRUE(listing);
  for (TSearchRec entry; listing->Next(entry);)
    if (listing->ReadDetails(entry)) entries[entry.Name] = entry;
  EXPECT_EQ(entries.size(), 5u); // with . and ..
  EXPECT_EQ(entries["a.txt"].Size, 5u);
  EXPECT_EQ(entries["a.txt"].Attr & faDirectory, 0u);
  EXPECT_EQ(entries["Sub"].Attr & (faDirectory | faSymLink), +faDirectory);
  EXPECT_EQ(entries["Loop"].Attr & (faDirectory | faSymLink), faDirectory | faSymLink);
  EXPECT_EQ(PlatformFileSystem().FolderIdentity({Drive + "\\Loop"}),
            PlatformFileSystem().FolderIdentity({Drive}));
  EXPECT_FALSE(PlatformFileSystem().ListFolder({Drive + "\\Missing"}));
  EXPECT_FALSE(PlatformFileSystem().ListFolder({"C:\\"}));
}

TEST_F(PosixFileSystemTest, ReadsInBlocksBesideOtherReadersButNotBesideAnExclusiveHolder) {
  Write("a.txt", "hello world");
  const auto file = PlatformFileSystem().OpenForReading({Drive + "\\a.txt"});
  ASSERT_TRUE(file);
  char block[6] = {};
  EXPECT_EQ(file->Read(block, 5), 5);
  EXPECT_EQ(std::string(block, 5), "hello");
  EXPECT_EQ(ReadAll(*file), " world");
  EXPECT_TRUE(PlatformFileSystem().OpenForReading({Drive + "\\a.txt"}));
  EXPECT_FALSE(PlatformFileSystem().OpenForReading({Drive + "\\missing.txt"}));
  EXPECT_FALSE(PlatformFileSystem().OpenForReading({Drive}));

  Write("b.txt", "held");
  const THolder exclusive(Root / "b.txt", LOCK_EX);
  EXPECT_FALSE(PlatformFileSystem().OpenForReading({Drive + "\\b.txt"}));
}

// The listing opens its entries itself; a holder's lock is then checked only when asked, and
// the details come from the open file as the listing would give them.
TEST_F(PosixFileSystemTest, ListingOpensFilesButNeverAFifo) {
  Write("a.txt", "hello");
  Write("b.txt", "hello");
  fs::permissions(Root / "b.txt", fs::perms::owner_write, fs::perm_options::remove);
  ASSERT_EQ(mkfifo((Root / "pipe.txt").c_str(), 0600), 0);
  const THolder exclusive(Root / "a.txt", LOCK_EX), shared(Root / "b.txt", LOCK_SH);
  EXPECT_FALSE(PlatformFileSystem().OpenForReading({Drive + "\\pipe.txt"}));
  const auto listing = PlatformFileSystem().ListFolder({Drive});
  std::map<std::string, bool> held; // by the entries opened
  for (TSearchRec entry; listing->Next(entry);) {
    const auto file = listing->OpenEntry(entry, listing->NativePath(entry));
    if (!file) continue;
    char block[8] = {};
    EXPECT_EQ(file->Read(block, sizeof block), 5);
    held[entry.Name] = file->HeldElsewhere();
    TSearchRec fromFile = entry;
    ASSERT_TRUE(file->ReadDetails(fromFile) && listing->ReadDetails(entry));
    EXPECT_EQ(std::tie(fromFile.Attr, fromFile.Size, fromFile.Time),
              std::tie(entry.Attr, entry.Size, entry.Time));
    EXPECT_EQ(entry.Attr & faReadOnly, entry.Name == "b.txt" ? +faReadOnly : 0u);
  }
  EXPECT_EQ(held, (std::map<std::string, bool>{{"a.txt", true}, {"b.txt", false}}));
}
