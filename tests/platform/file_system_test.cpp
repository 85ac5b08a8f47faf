// The platform layer's files on both systems: the same cases run in the
// Linux build and in the Windows build under Wine, where the Win32 side
// (wide-character paths, LockFileEx, MoveFileExW, file handles' stamps)
// answers them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "platform/content_digest.h"
#include "platform/cp932.h"
#include "platform/file_lock.h"
#include "platform/paths.h"
#include "platform/regular_file.h"
#include "platform/staged_file.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace zelk {
namespace {

using namespace std::chrono_literals;
using test::ScratchDir;

TEST(StagedReplacement, ReplacesWholeOrNotAtAll) {
  struct Case {
    const char* what;
    bool readOnly;
    bool stagingFails;
    const char* expected;
  };
  const Case cases[] = {
      {"a writable file gets the new content", false, false, "new"},
      {"a read-only file is kept", true, false, "old"},
      {"a staging file that cannot be made keeps the old one", false, true, "old"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    const std::string target = dir.write("zelk.cfg", "old");
    if (c.readOnly) fs::permissions(target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                                    fs::perm_options::remove);
    std::optional<ScopedStagingOpener> failing;
    if (c.stagingFails) failing.emplace([](const std::string&) { return -1; });
    EXPECT_EQ(replaceFileContent(target, "new"), std::string(c.expected) == "new") << c.what;
    EXPECT_EQ(test::readFile(target), c.expected) << c.what;
    int leftovers = 0;
    for (const auto& entry : fs::directory_iterator(dir.path())) leftovers += entry.path().filename() != "zelk.cfg";
    EXPECT_EQ(leftovers, 0) << c.what << ": a staging file was left behind";
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
  }
}

TEST(ExclusiveFileLock, OneHolderAtATime) {
  ScratchDir dir;
  const std::string lockPath = dir.path() + "zelk.cfg.lock";
  {
    ExclusiveFileLock first(lockPath, 1s);
    ASSERT_TRUE(first.locked());
    ExclusiveFileLock second(lockPath, 50ms);
    EXPECT_TRUE(second.timedOut());
  }
  ExclusiveFileLock afterwards(lockPath, 50ms);
  EXPECT_TRUE(afterwards.locked()) << "the lock outlived its holder";
  ExclusiveFileLock inMissingFolder(dir.path() + "no/such/folder.lock", 50ms);
  EXPECT_FALSE(inMissingFolder.locked());
}

TEST(FileStamps, TellAFileAndItsChanges) {
  ScratchDir dir;
  const std::string path = dir.write("log.txt", "one\r\n");
  const std::string other = dir.write("other.txt", "one\r\n");
  const auto first = fileStampOf(path);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->size, 5u);
  EXPECT_EQ(fileStampOf(path), first) << "a file looked at twice";
  EXPECT_NE(fileStampOf(other)->inode, first->inode) << "two files with one identity";
  EXPECT_EQ(fileStampOf(other)->device, first->device);
  // Whole seconds: the Windows C library sets times to the second.
  const auto noon = std::chrono::floor<std::chrono::seconds>(fs::last_write_time(path)) - 24h;
  fs::last_write_time(path, noon);
  const auto set = fileStampOf(path);
  fs::last_write_time(path, noon - 1h);
  EXPECT_EQ(set->modifiedNs - fileStampOf(path)->modifiedNs, std::chrono::nanoseconds(1h).count());
  dir.write("log.txt", "one\r\ntwo\r\n");
  EXPECT_EQ(fileStampOf(path)->size, 10u);
  EXPECT_FALSE(fileStampOf(dir.path() + "missing.txt"));
}

// A file whose name is Japanese: the core holds the name in CP932; Windows
// gets it through the wide-character functions as the very characters, where
// Linux keeps the bytes.
TEST(JapaneseNames, FilesAreWrittenReadAndLookedAt) {
  ScratchDir dir;
  const std::string path = dir.path() + test::sj("通話記録.txt");
  ASSERT_TRUE(replaceFileContent(path, "abc"));
  EXPECT_EQ(regularFileSize(path), 3u);
  EXPECT_TRUE(fileStampOf(path));
  const int descriptor = openRegularFile(path);
  EXPECT_GE(descriptor, 0);
  const fs::path onDisk = fs::path(dir.path()) / (test::kOnWindows ? fs::path(u8"通話記録.txt")
                                                                   : fs::path(test::sj("通話記録.txt")));
  EXPECT_TRUE(fs::exists(onDisk)) << "the name on the disk is not the one the user wrote";
}

TEST(FileKinds, RegularFilesFoldersAndNothing) {
  ScratchDir dir;
  const std::string file = dir.write("ma.zlk", "x");
  fs::create_directory(dir.path() + "html");
  const std::string folder = dir.path() + "html";
  const std::string missing = dir.path() + "missing";
  EXPECT_EQ(regularFileSize(file), 1u);
  EXPECT_FALSE(regularFileSize(folder));
  EXPECT_TRUE(isDirectory(folder));
  EXPECT_FALSE(isDirectory(file));
  EXPECT_TRUE(pathExists(folder) && pathExists(file) && !pathExists(missing));
  EXPECT_TRUE(isSomethingElseThanRegularFile(folder));
  EXPECT_FALSE(isSomethingElseThanRegularFile(file) || isSomethingElseThanRegularFile(missing));
  EXPECT_LT(openRegularFile(folder), 0);
  EXPECT_LT(openRegularFile(missing), 0);
}

TEST(LogPaths, DriveLettersAreRootedOnWindowsOnly) {
  struct Case {
    const char* declared;
    const char* onLinux;
    const char* onWindows;
  };
  const Case cases[] = {
      {"logs\\a.log", "/home/z/logs/a.log", "/home/z/logs/a.log"},
      {"C:\\logs\\a.log", "/home/z/C:/logs/a.log", "C:/logs/a.log"},
      {"d:a.log", "/home/z/d:a.log", "d:a.log"},
      {"\\\\server\\share\\a.log", "/server/share/a.log", "/server/share/a.log"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(logFilePath("/home/z/", c.declared), test::kOnWindows ? c.onWindows : c.onLinux) << c.declared;
}

// Windows keeps the settings beside zelk.exe whether or not ma.zlk is there;
// Linux does so only for a portable folder (the XDG folder otherwise).
TEST(ProgramDirectory, IsTheExecutablesFolder) {
  if (std::getenv("ZELK_HOME")) GTEST_SKIP() << "ZELK_HOME is set";
  ScratchDir dir;
  const std::string portable = dir.write("portable/zelk.exe", "");
  dir.write("portable/ma.zlk", "");
  const std::string bare = dir.write("bare/zelk.exe", "");
  EXPECT_EQ(programDirectoryFor(portable, MakeFolder::No), dir.path() + "portable/");
  EXPECT_EQ(programDirectoryFor(bare, MakeFolder::No) == dir.path() + "bare/", test::kOnWindows);
}

// A trail fed the bytes as a reader reads them, in blocks of any size,
// finishes the digest of any first bytes as reading them whole does: at and
// around the megabyte marks where it keeps its state, and past what it saw.
TEST(DigestTrail, FinishesEveryStartAsAWholeReadingDoes) {
  constexpr std::uint64_t kMegabyte = 1 << 20;
  std::mt19937 random(7);
  std::string bytes(3 * kMegabyte + 4321, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  ScratchDir dir;
  const std::string path = dir.write("bench_w.tel", bytes);
  DigestTrail trail;
  const std::uint64_t seen = 2 * kMegabyte + 100;  // a scan stops short of the end
  for (std::uint64_t at = 0; at < seen;) {
    const std::uint64_t block = std::min<std::uint64_t>(seen - at, 1 + random() % 70000);
    trail.add(std::string_view(bytes).substr(at, block));
    at += block;
  }
  for (const std::uint64_t start : {std::uint64_t{0}, std::uint64_t{1}, kMegabyte - 1, kMegabyte, kMegabyte + 1,
                                    2 * kMegabyte + 99, seen, seen + 5000, std::uint64_t{bytes.size()}}) {
    EXPECT_EQ(trail.digestOfStart(path, start), digestOfFileStart(path, start)) << start;
    EXPECT_EQ(trail.digestOfStart(path, start), digestOf(std::string_view(bytes).substr(0, start))) << start;
  }
  EXPECT_EQ(trail.digestOfStart(path, bytes.size() + 1), std::nullopt) << "a file shorter than asked";
  EXPECT_NE(trail.digestOfStart(path, kMegabyte + 1), trail.digestOfStart(path, kMegabyte));

  // The digests the indexes on disk hold: fed whole or in pieces, a text
  // gives the value it always gave.
  std::string text;
  for (int i = 0; i < 1000; ++i) text += static_cast<char>(i * 7 + i / 13);
  ContentDigest pieces;
  for (std::size_t at = 0; at < text.size(); at += 37) pieces.add(std::string_view(text).substr(at, 37));
  EXPECT_EQ(digestOf(text), 0xcae86109f50def4cULL);
  EXPECT_EQ(pieces.value(), 0xcae86109f50def4cULL);
  EXPECT_EQ(digestOf(std::string_view(text).substr(0, 31)), 0x4572065b8c877031ULL);
  EXPECT_EQ(digestOf(""), 0x3fdf455f9dcf1e62ULL);
}

}  // namespace
}  // namespace zelk
