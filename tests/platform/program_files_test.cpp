#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/paths.h"
#include "support/test_support.h"

namespace zelk {
namespace {

using test::ScratchDir;
namespace fs = std::filesystem;

// Sets (or, with nullptr, unsets) an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A scratch tree with a portable folder (executable beside ma.zlk), an
// installed prefix (bin/zelk, share/zelk/ma.zlk and help pages) and a home.
struct Layout {
  ScratchDir root;
  std::string portableExe = root.write("portable/zelk", "");
  std::string installedExe = root.write("usr/bin/zelk", "");
  std::string home = root.path() + "home/";
  Layout() {
    root.write("portable/ma.zlk", "portable");
    root.write("usr/share/zelk/ma.zlk", "installed");
    root.write("usr/share/zelk/html/help/zelk_doc.html", "installed doc");
    root.write("usr/share/zelk/html/help/zelk_key.html", "installed key");
    fs::create_directories(home);
  }
};

TEST(ProgramDirectory, FollowsHomeThenPortableThenUserConfig) {
  Layout layout;
  const std::string root = layout.root.path();
  const std::string xdg = root + "xdg";
  struct Case {
    const char* what;
    const char* zelkHome;
    const char* xdgConfigHome;
    std::string executable;
    std::string expected;
  };
  const std::string zelkHome = root + "myhome";
  const std::string zelkHomeSlash = zelkHome + "/";
  const Case cases[] = {
      {"ZELK_HOME wins over a portable folder", zelkHome.c_str(), xdg.c_str(),
       layout.portableExe, zelkHome + "/"},
      {"ZELK_HOME keeps its own slash", zelkHomeSlash.c_str(), nullptr, layout.installedExe,
       zelkHome + "/"},
      {"an empty ZELK_HOME counts as unset", "", nullptr, layout.portableExe,
       root + "portable/"},
      {"executable beside ma.zlk: portable", nullptr, xdg.c_str(), layout.portableExe,
       root + "portable/"},
      {"installed: XDG_CONFIG_HOME", nullptr, xdg.c_str(), layout.installedExe,
       xdg + "/zelk/"},
      {"installed: ~/.config without XDG_CONFIG_HOME", nullptr, nullptr, layout.installedExe,
       layout.home + ".config/zelk/"},
      {"installed: a relative XDG_CONFIG_HOME is ignored", nullptr, "relative/cfg",
       layout.installedExe, layout.home + ".config/zelk/"},
  };
  ScopedEnv home("HOME", layout.home.c_str());
  for (const auto& c : cases) {
    ScopedEnv zelk("ZELK_HOME", c.zelkHome);
    ScopedEnv config("XDG_CONFIG_HOME", c.xdgConfigHome);
    EXPECT_EQ(programDirectoryFor(c.executable), c.expected) << c.what;
  }
}

TEST(ProgramDirectory, UserConfigDirectoryIsCreatedOnFirstUse) {
  Layout layout;
  const std::string xdg = layout.root.path() + "deep/cfg";
  ScopedEnv zelk("ZELK_HOME", nullptr);
  ScopedEnv config("XDG_CONFIG_HOME", xdg.c_str());
  ASSERT_FALSE(fs::exists(xdg));
  const std::string dir = programDirectoryFor(layout.installedExe);
  EXPECT_TRUE(fs::is_directory(dir)) << dir;
  EXPECT_EQ(programDirectoryFor(layout.installedExe), dir);  // and found again
}

TEST(ProgramDirectory, UnmakeableUserConfigDirectoryIsStillReturned) {
  // The settings file's own message reports it when zelk.cfg cannot be made.
  Layout layout;
  const std::string blocker = layout.root.write("blocker", "a regular file");
  ScopedEnv zelk("ZELK_HOME", nullptr);
  ScopedEnv config("XDG_CONFIG_HOME", blocker.c_str());
  EXPECT_EQ(programDirectoryFor(layout.installedExe), blocker + "/zelk/");
}

// A file that can be made again stays out of the user's configuration folder.
TEST(CacheFile, LiesBesideZelkCfgUnlessThatIsTheConfigurationFolder) {
  Layout layout;
  const std::string config = layout.root.path() + "cfg", cache = layout.root.path() + "cache";
  struct Case {
    const char* what;
    std::string programDir;
    const char* xdgCacheHome;
    std::string expected;
  };
  const Case cases[] = {
      {"a program directory of its own", layout.root.path() + "portable/", cache.c_str(),
       layout.root.path() + "portable/zelk.idx"},
      {"the configuration folder: XDG_CACHE_HOME", config + "/zelk/", cache.c_str(), cache + "/zelk/zelk.idx"},
      {"the configuration folder: ~/.cache", config + "/zelk/", nullptr, layout.home + ".cache/zelk/zelk.idx"},
  };
  ScopedEnv home("HOME", layout.home.c_str());
  ScopedEnv xdgConfig("XDG_CONFIG_HOME", config.c_str());
  for (const auto& c : cases) {
    ScopedEnv xdgCache("XDG_CACHE_HOME", c.xdgCacheHome);
    EXPECT_EQ(cacheFilePath(c.programDir, "zelk.idx"), c.expected) << c.what;
  }
  EXPECT_TRUE(fs::is_directory(cache + "/zelk"));
}

TEST(InstalledData, IsShareZelkBesideBin) {
  EXPECT_EQ(installedDataDirectory("/opt/x/bin/zelkwin"), "/opt/x/share/zelk/");
  EXPECT_EQ(installedDataDirectory("/usr/bin/zelk"), "/usr/share/zelk/");
  EXPECT_EQ(installedDataDirectory(""), "");
}

TEST(ReadOnlyFiles, UsersOwnCopyWinsElseInstalledElseOwnPath) {
  Layout layout;
  const std::string root = layout.root.path();
  const std::string own = root + "own/";
  const std::string empty = root + "empty/";
  layout.root.write("own/ma.zlk", "mine");
  layout.root.write("own/html/help/zelk_doc.html", "my doc");
  fs::create_directories(empty);
  const std::string share = root + "usr/share/zelk/";
  const std::string nowhere = root + "opt/bin/zelk";  // no share/zelk beside it

  struct Case {
    const char* what;
    std::string actual;
    std::string expected;
  };
  const Case cases[] = {
      {"own ma.zlk", maDataPath(own, layout.installedExe), own + "ma.zlk"},
      {"installed ma.zlk", maDataPath(empty, layout.installedExe), share + "ma.zlk"},
      {"no ma.zlk anywhere names the own path", maDataPath(empty, nowhere), empty + "ma.zlk"},
      {"no executable known", maDataPath(empty, ""), empty + "ma.zlk"},
      {"own help folder", helpDirectory(own, layout.installedExe), own + "html/help/"},
      {"installed help folder", helpDirectory(empty, layout.installedExe),
       share + "html/help/"},
      {"no help anywhere", helpDirectory(empty, nowhere), empty + "html/help/"},
      {"own page", helpPagePath(own, "zelk_doc.html", layout.installedExe),
       own + "html/help/zelk_doc.html"},
      {"page missing from the own folder comes from the installation",
       helpPagePath(own, "zelk_key.html", layout.installedExe),
       share + "html/help/zelk_key.html"},
      {"page missing everywhere", helpPagePath(own, "Tab_Opt.html", layout.installedExe),
       own + "html/help/Tab_Opt.html"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.what;
}

TEST(ReadOnlyFiles, PortableFolderReadsItsOwnCopies) {
  Layout layout;
  ScopedEnv zelk("ZELK_HOME", nullptr);
  const std::string dir = programDirectoryFor(layout.portableExe);
  EXPECT_EQ(test::readFile(maDataPath(dir, layout.portableExe)), "portable");
}

TEST(ReadOnlyFiles, InstalledProgramReadsTheSharedCopies) {
  Layout layout;
  ScopedEnv zelk("ZELK_HOME", nullptr);
  ScopedEnv config("XDG_CONFIG_HOME", (layout.root.path() + "xdg").c_str());
  const std::string dir = programDirectoryFor(layout.installedExe);
  EXPECT_EQ(test::readFile(maDataPath(dir, layout.installedExe)), "installed");
  EXPECT_EQ(test::readFile(helpPagePath(dir, "zelk_doc.html", layout.installedExe)),
            "installed doc");
}

}  // namespace
}  // namespace zelk
