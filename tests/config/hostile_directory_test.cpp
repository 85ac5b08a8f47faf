// zelk.cfg in a directory that is not only the user's: what stands at the
// target or beside it (links, protected files, FIFOs, leftovers of a killed
// run, another run holding the file) never turns the rewrite against the user.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "config/settings_lock.h"
#include "config_test_support.h"
#include "platform/staged_file.h"
#include "support/test_support.h"

namespace zelk::test {
namespace {

namespace fs = std::filesystem;

class HostileDirectory : public ::testing::Test {
 protected:
  void SetUp() override { dir.write("zelk.cfg", current); }
  std::string path() const { return dir.path() + "zelk.cfg"; }
  void rewrite() {
    TestConfiguration r(dir.path());
    r.read();
    r.tables.areaSet.push_back({"0612", DistanceBand::Beyond170km});
    backupAndRewrite(path(), r.configuration);
  }
  unsigned modeOf(const std::string& file) const {
    struct stat info {};
    return ::lstat(file.c_str(), &info) == 0 ? info.st_mode : 0;
  }

  ScratchDir dir;
  const std::string current = crlfLines({"zelk Version 4.21", "=d15"});
};

TEST_F(HostileDirectory, TheNewFileTakesThePermissionBitsButNeverSetuid) {
  ASSERT_EQ(::chmod(path().c_str(), 06750), 0);
  rewrite();
  EXPECT_NE(readFile(path()).find("%8=0612"), std::string::npos);
  EXPECT_EQ(modeOf(path()) & 07777, 0750u);
}

TEST_F(HostileDirectory, ALinkIsWrittenThroughToTheFileItNames) {
  ScratchDir elsewhere;
  const std::string real = elsewhere.write("real.cfg", current);
  fs::remove(path());
  fs::create_symlink(real, path());
  rewrite();
  EXPECT_TRUE(fs::is_symlink(path()));
  EXPECT_NE(readFile(real).find("%8=0612"), std::string::npos);
  for (const auto& entry : fs::directory_iterator(elsewhere.path()))
    EXPECT_EQ(entry.path().filename(), "real.cfg");  // nothing staged was left there
}

// A link planted at a file the programs write, pointing at a file of the
// user's (a .bashrc, say): the write replaces the link, the file it names
// keeps its bytes. Only zelk.cfg itself is written through (above).
TEST_F(HostileDirectory, ALinkAtAnyOtherWrittenFileIsReplacedNotFollowed) {
  struct Case {
    const char* what;
    std::string name;
    std::function<void()> write;
  };
  const Case cases[] = {
      {"the backup", "zelkcfg.org", [&] { rewrite(); }},
      {"a replaced file (zelkwin.cfg, the index)", "zelkwin.cfg",
       [&] { ASSERT_TRUE(replaceFileContent(dir.path() + "zelkwin.cfg", "new\r\n")); }},
  };
  for (const auto& c : cases) {
    ScratchDir elsewhere;
    const std::string victim = elsewhere.write(".bashrc", "export PATH=/usr/bin\n");
    ASSERT_EQ(::chmod(victim.c_str(), 0600), 0);
    const std::string planted = dir.path() + c.name;
    fs::remove(planted);
    fs::create_symlink(victim, planted);
    c.write();
    EXPECT_EQ(readFile(victim), "export PATH=/usr/bin\n") << c.what;
    EXPECT_EQ(modeOf(victim) & 07777, 0600u) << c.what;
    EXPECT_FALSE(fs::is_symlink(planted)) << c.what;
    EXPECT_TRUE(fs::is_regular_file(planted)) << c.what;
  }
  EXPECT_EQ(readFile(dir.path() + "zelkcfg.org"), current);
}

TEST_F(HostileDirectory, AWriteProtectedFileIsNotReplaced) {
  ASSERT_EQ(::chmod(path().c_str(), 0444), 0);
  const FatalError error = fatalErrorOf([&] { rewrite(); });
  EXPECT_EQ(error.code(), 244);
  EXPECT_EQ(error.message(), "Cannot creat config. file : " + path() + "\n\n");
  EXPECT_EQ(readFile(path()), current);
  EXPECT_EQ(modeOf(path()) & 07777, 0444u);
}

TEST_F(HostileDirectory, NonRegularFilesAreRefusedInsteadOfRead) {
  // A FIFO would block the open and /dev/zero never ends; both are refused
  // as a file that cannot be opened.
  fs::remove(path());
  ASSERT_EQ(::mkfifo(path().c_str(), 0600), 0);
  TestConfiguration r(dir.path());
  EXPECT_EQ(fatalErrorOf([&] { r.read(); }).code(), 244);
  EXPECT_TRUE(fs::is_fifo(path()));
  if (fs::exists("/dev/zero")) {
    fs::remove(path());
    fs::create_symlink("/dev/zero", path());
    EXPECT_EQ(fatalErrorOf([&] { r.read(); }).code(), 244);
  }
}

TEST_F(HostileDirectory, LeftoversOfAKilledRunAreRemovedOnceAMinuteOld) {
  const std::string old = dir.write("zelk.cfg.new-Ab12Cd", "half");
  const std::string fresh = dir.write("zelk.cfg.new-Zz99Yy", "in use");
  const std::string other = dir.write("zelk.cfg.new-note", "not ours");
  const timeval twoMinutesAgo[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
  ASSERT_EQ(::utimes(old.c_str(), twoMinutesAgo), 0);
  ASSERT_EQ(::utimes(other.c_str(), twoMinutesAgo), 0);
  rewrite();
  EXPECT_FALSE(fs::exists(old));
  EXPECT_TRUE(fs::exists(fresh));  // perhaps another run's
  EXPECT_TRUE(fs::exists(other));
}

TEST_F(HostileDirectory, TheBackupHoldsTheFileAsItWasBeforeTheRun) {
  // An upgrade rewrites at reading; a rewrite later in the same run must not
  // replace the user's original in the backup by the upgraded file.
  const std::string older = crlfLines({"zelk Version 3.00", "=d5"});
  dir.write("zelk.cfg", older);
  rewrite();
  EXPECT_EQ(readFile(dir.path() + "zelkcfg.org"), older);
  EXPECT_NE(readFile(path()).find("%8=0612"), std::string::npos);
}

TEST_F(HostileDirectory, TheBackupIsCopiedInBlocksWithItsLineEnds) {
  // 64 MB of lines with either line end and none at the very end: the copy
  // gets CR LF everywhere, and its memory does not grow with the file.
  std::string older = "zelk Version 3.00\n=d5\r\n";
  const std::string filler = ";" + std::string(98, 'x');
  while (older.size() < (64u << 20)) older += filler + (older.size() % 3 ? "\n" : "\r\n");
  older += ";last";
  dir.write("zelk.cfg", older);
  if (kMemoryLimitsWork) {
    EXPECT_TRUE(completesWithinMemory(24u << 20, [&] {
      TestConfiguration r(dir.path());
      r.read();
    }));
  } else {
    TestConfiguration r(dir.path());
    r.read();
  }
  std::string expected;
  for (std::size_t i = 0; i < older.size(); ++i) {
    if (older[i] == '\n' && (i == 0 || older[i - 1] != '\r')) expected += '\r';
    expected += older[i];
  }
  expected += "\r\n";
  EXPECT_TRUE(readFile(dir.path() + "zelkcfg.org") == expected);
}

TEST_F(HostileDirectory, ARunWaitsForTheLockAndGivesUpWith244) {
  const ExclusiveFileLock other(settingsLockPath(dir.path()), std::chrono::milliseconds(0));
  ASSERT_TRUE(other.locked());
  const FatalError error =
      fatalErrorOf([&] { SettingsFileLock mine(dir.path(), std::chrono::milliseconds(50)); });
  EXPECT_EQ(error.code(), 244);
  EXPECT_NE(error.message().find(path()), std::string::npos);
}

// A lock file that cannot be used is never passed over: a link there gives
// way to a real lock file (the file it named keeps its bytes), and a lock
// that cannot be taken at all ends the run before it reads zelk.cfg.
TEST_F(HostileDirectory, ALinkedLockFileIsReplacedAndAnUnusableOneStopsTheRun) {
  ScratchDir elsewhere;
  const std::string victim = elsewhere.write("victim", "mine\n");
  const std::string lockPath = settingsLockPath(dir.path());
  fs::create_symlink(victim, lockPath);
  {
    SettingsFileLock mine(dir.path(), std::chrono::milliseconds(50));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(lockPath)));
    // The replaced lock is a real one: a second taker waits for it.
    const ExclusiveFileLock other(lockPath, std::chrono::milliseconds(0));
    EXPECT_TRUE(other.timedOut());
  }
  EXPECT_EQ(readFile(victim), "mine\n");

  // A socket cannot be opened at all, not even by the superuser.
  fs::remove(lockPath);
  const int socketDescriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(socketDescriptor, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(lockPath.size(), sizeof address.sun_path);
  lockPath.copy(address.sun_path, lockPath.size());
  ASSERT_EQ(::bind(socketDescriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  const FatalError error =
      fatalErrorOf([&] { SettingsFileLock mine(dir.path(), std::chrono::milliseconds(50)); });
  ::close(socketDescriptor);
  EXPECT_EQ(error.code(), 244);
  EXPECT_NE(error.message().find(lockPath), std::string::npos) << error.message();
}

}  // namespace
}  // namespace zelk::test
