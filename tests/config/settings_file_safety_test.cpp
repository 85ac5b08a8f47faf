#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "config_test_support.h"
#include "platform/staged_file.h"
#include "support/test_support.h"

namespace zelk::test {
namespace {

namespace fs = std::filesystem;

// Stages the files of `failing` (a file name) on /dev/full, where every
// write fails as on a full disk; every other file as usual.
StagedFile::Opener fullDiskFor(std::string failing) {
  return [failing](const std::string& path) {
    if (path.find("/" + failing + ".new-") != std::string::npos)
      return ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  };
}

class SettingsFileSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "/dev/full is missing";
    dir.write("zelk.cfg", oldSettings);
    dir.write("zelkcfg.org", oldBackup);
  }

  void rewrite(TestConfiguration& r) {
    backupAndRewrite(path(), r.configuration);
  }
  std::string path() const { return dir.path() + "zelk.cfg"; }
  std::vector<std::string> leftovers() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
      if (entry.path().filename().string().find(".new") != std::string::npos)
        names.push_back(entry.path().filename());
    return names;
  }

  ScratchDir dir;
  const std::string oldSettings = crlfLines({"zelk Version 4.21", "=d15", "=k"});
  const std::string oldBackup = crlfLines({"zelk Version 4.00", "=d10"});
};

TEST_F(SettingsFileSafety, AFailedWriteKeepsTheOldFile) {
  TestConfiguration r(dir.path());
  r.read();
  r.tables.areaSet.push_back({"0612", DistanceBand::Beyond170km});
  ScopedStagingOpener fullDisk(fullDiskFor("zelk.cfg"));
  const FatalError error = fatalErrorOf([&] { rewrite(r); });
  EXPECT_EQ(error.code(), 244);
  EXPECT_EQ(error.message(), "Cannot creat config. file : " + path() + "\n\n");
  EXPECT_EQ(readFile(path()), oldSettings);
  EXPECT_EQ(readFile(dir.path() + "zelkcfg.org"), oldSettings);  // the backup was made
  EXPECT_TRUE(leftovers().empty());
}

TEST_F(SettingsFileSafety, AFailedUpgradeKeepsTheOldFile) {
  const std::string older = crlfLines({"zelk Version 3.00", "=d5"});
  dir.write("zelk.cfg", older);
  TestConfiguration r(dir.path());
  ScopedStagingOpener fullDisk(fullDiskFor("zelk.cfg"));
  EXPECT_EQ(fatalErrorOf([&] { r.read(); }).code(), 244);
  EXPECT_EQ(readFile(path()), older);
  EXPECT_EQ(readFile(dir.path() + "zelkcfg.org"), older);
}

TEST_F(SettingsFileSafety, AFailedCreationLeavesNoFile) {
  fs::remove(path());
  TestConfiguration r(dir.path());
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  ScopedStagingOpener fullDisk(fullDiskFor("zelk.cfg"));
  EXPECT_EQ(fatalErrorOf([&] { r.read(); }).code(), 244);
  EXPECT_FALSE(fs::exists(path()));
  EXPECT_TRUE(sink.messages.empty());  // no "making" for a file that was not made
  EXPECT_TRUE(leftovers().empty());
}

TEST_F(SettingsFileSafety, AFailedBackupKeepsThePreviousBackupAndTheSettings) {
  TestConfiguration r(dir.path());
  r.read();
  ScopedStagingOpener fullDisk(fullDiskFor("zelkcfg.org"));
  const FatalError error = fatalErrorOf([&] { rewrite(r); });
  EXPECT_EQ(error.code(), 243);
  EXPECT_EQ(error.message(), "Cannot copy config. file : " + path() + "\n\n");
  EXPECT_EQ(readFile(dir.path() + "zelkcfg.org"), oldBackup);
  EXPECT_EQ(readFile(path()), oldSettings);
}

TEST_F(SettingsFileSafety, ABackupThatCannotBeOpenedEndsWith243) {
  TestConfiguration r(dir.path());
  r.read();
  ScopedStagingOpener refuse([](const std::string&) { return -1; });
  EXPECT_EQ(fatalErrorOf([&] { rewrite(r); }).code(), 243);
  EXPECT_EQ(readFile(path()), oldSettings);
}

TEST_F(SettingsFileSafety, ASettingsFileThatCannotBeReadEndsWith242) {
  TestConfiguration r(dir.path());
  fs::remove(path());
  const FatalError error = fatalErrorOf([&] { rewrite(r); });
  EXPECT_EQ(error.code(), 242);
  EXPECT_EQ(error.message(), "Cannot read config. file : " + path() + "\n\n");
  EXPECT_EQ(readFile(dir.path() + "zelkcfg.org"), oldBackup);
  EXPECT_FALSE(fs::exists(path()));
}

TEST_F(SettingsFileSafety, AFolderThatCannotTakeTheNewFileKeepsTheOldOne) {
  // No new file can be made beside the old one (a read-only folder).
  TestConfiguration r(dir.path());
  r.read();
  ScopedStagingOpener refuse([](const std::string& staging) {
    errno = staging.find("/zelk.cfg.new-") != std::string::npos ? EACCES : 0;
    return errno ? -1 : ::open(staging.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  });
  EXPECT_EQ(fatalErrorOf([&] { rewrite(r); }).code(), 244);
  EXPECT_EQ(readFile(path()), oldSettings);
}

TEST_F(SettingsFileSafety, AFileThatCannotBeReplacedIsReported) {
  TestConfiguration r(dir.path());
  const std::string folder = dir.path() + "folder";
  fs::create_directory(folder);
  const FatalError error = fatalErrorOf([&] {
    writeSettingsFile(WriteMode::Fresh, folder, r.configuration);
  });
  EXPECT_EQ(error.code(), 244);
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(leftovers().empty());
}

TEST(StagedFile, ReplacesTheWholeFileAndKeepsItsPermissions) {
  ScratchDir dir;
  const std::string path = dir.write("file", std::string(5000, 'o'));
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  ASSERT_TRUE(replaceFileContent(path, "new"));
  EXPECT_EQ(readFile(path), "new");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST(StagedFile, AnUncommittedFileLeavesNothingBehind) {
  ScratchDir dir;
  const std::string path = dir.path() + "file";
  {
    StagedFile staged(path);
    ASSERT_TRUE(staged.isOpen());
    EXPECT_TRUE(fs::exists(staged.stagingPath()));
  }
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

}  // namespace
}  // namespace zelk::test
