// The files shipped beside the programs: help pages, manual pages, desktop
// entry and icon, and the layout that `cmake --install` produces.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "support/test_support.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::runCommand;
using test::ScratchDir;
using test::shellQuote;

const std::string kSource = ZELK_SOURCE_DIR "/";
const std::string kHelp = kSource + "data/html/help/";
// The desktop program's id: its desktop entry and AppStream metadata are named after it.
const std::string kDesktopId = "io.github.zelk.zelkwin";
const std::string kDesktopEntry = kSource + "packaging/" + kDesktopId + ".desktop";

// Every page the programs open by name: the help menu, the tool button and
// the help button of each settings-dialog page.
const char* const kOpenedPages[] = {
    "zelk_doc.html", "zelk_key.html", "Tab_Opt.html",  "Tab_Log.html",
    "Tab_Hod.html",  "Tab_R_No.html", "Tab_R_Na.html", "Tab_Aset.html",
};

bool isValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80             ? 1
                               : (c & 0xE0) == 0xC0 ? 2
                               : (c & 0xF0) == 0xE0 ? 3
                               : (c & 0xF8) == 0xF0 ? 4
                                                    : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

std::vector<std::string> htmlFiles() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kHelp))
    if (entry.path().extension() == ".html") names.push_back(entry.path().filename().string());
  return names;
}

bool commandExists(const std::string& name) {
  return runCommand("sh -c " + shellQuote("command -v " + name), "/").exitCode == 0;
}

TEST(HelpPages, EveryPageTheProgramsOpenExists) {
  for (const char* page : kOpenedPages) EXPECT_TRUE(fs::is_regular_file(kHelp + page)) << page;
}

TEST(HelpPages, AreUtf8WithCharsetAndTitle) {
  for (const auto& name : htmlFiles()) {
    const std::string page = readFile(kHelp + name);
    EXPECT_TRUE(isValidUtf8(page)) << name;
    EXPECT_NE(page.find("<meta charset=\"UTF-8\">"), std::string::npos) << name;
    EXPECT_TRUE(std::regex_search(page, std::regex("<title>[^<]+</title>"))) << name;
    EXPECT_NE(page.find("lang=\"ja\""), std::string::npos) << name;
  }
}

TEST(HelpPages, NoDeadLinks) {
  std::map<std::string, std::set<std::string>> ids;  // page -> its id attributes
  const std::regex idPattern("\\bid=\"([^\"]+)\"");
  for (const auto& name : htmlFiles()) {
    const std::string page = readFile(kHelp + name);
    for (std::sregex_iterator it(page.begin(), page.end(), idPattern), end; it != end; ++it)
      ids[name].insert((*it)[1]);
  }
  const std::regex linkPattern("\\b(?:href|src)=\"([^\"]*)\"");
  int links = 0;
  for (const auto& name : htmlFiles()) {
    const std::string page = readFile(kHelp + name);
    for (std::sregex_iterator it(page.begin(), page.end(), linkPattern), end; it != end; ++it) {
      const std::string link = (*it)[1];
      ++links;
      ASSERT_EQ(link.find(':'), std::string::npos) << name << ": outside link " << link;
      const auto hash = link.find('#');
      const std::string file = hash == std::string::npos ? link : link.substr(0, hash);
      const std::string target = file.empty() ? name : file;
      EXPECT_TRUE(fs::is_regular_file(kHelp + target)) << name << " -> " << link;
      if (hash != std::string::npos) {
        EXPECT_TRUE(ids[target].count(link.substr(hash + 1))) << name << " -> " << link;
      }
    }
  }
  EXPECT_GT(links, 100);  // the pages do link to each other
}

// The keyword list reaches every other page, so nothing is an orphan.
TEST(HelpPages, KeywordListReachesEveryPage) {
  const std::string keywords = readFile(kHelp + "zelk_key.html");
  for (const char* page : kOpenedPages)
    EXPECT_NE(keywords.find(std::string("href=\"") + page), std::string::npos) << page;
}

TEST(ManPages, RenderWithoutWarnings) {
  if (!commandExists("groff")) GTEST_SKIP() << "groff is not installed";
  for (const char* page : {"zelk.1", "zelkwin.1"}) {
    auto result = runCommand("groff -k -t -man -Tutf8 -ww -z " + shellQuote(kSource + "man/" + page),
                             kSource);
    EXPECT_EQ(result.exitCode, 0) << page << result.err;
    EXPECT_EQ(result.err, "") << page;
  }
}

TEST(ManPages, RenderThroughManAndNameEveryExitCode) {
  if (!commandExists("man")) GTEST_SKIP() << "man is not installed";
  const auto result = runCommand("man -l " + shellQuote(kSource + "man/zelk.1"), kSource,
                                 {"MANWIDTH=80", "MANPAGER=cat", "PAGER=cat"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto status = result.out.find("EXIT STATUS");
  ASSERT_NE(status, std::string::npos);
  const std::string section = result.out.substr(status, result.out.find("EXAMPLES") - status);
  // Every code a run can end with: zelk's own (1 findings, write errors or no
  // stored month; 2 usage; 3 a month that cannot be replayed) and the fatal ones.
  for (int code : {0, 1, 2, 3, 101, 230, 239, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250, 254, 255})
    EXPECT_TRUE(std::regex_search(section, std::regex("\\b" + std::to_string(code) + "\\b")))
        << code;
  for (const char* word : {"ZELK_HOME", "ZELK_TODAY", "zelk.cfg", "zelkcfg.org", "ma.zlk",
                           "zelkwin.cfg", "html/help/", ".config/zelk/"})
    EXPECT_NE(result.out.find(word), std::string::npos) << word;
}

std::map<std::string, std::string> desktopEntry() {
  std::map<std::string, std::string> keys;
  const std::string text = readFile(kDesktopEntry);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    if (auto eq = line.find('='); eq != std::string::npos && line[0] != '#')
      keys[line.substr(0, eq)] = line.substr(eq + 1);
    start = end + 1;
  }
  return keys;
}

TEST(DesktopEntry, StartsZelkwinWithItsIconInOfficeAndFinance) {
  auto keys = desktopEntry();
  EXPECT_EQ(keys["Type"], "Application");
  EXPECT_EQ(keys["Exec"], "zelkwin");
  EXPECT_EQ(keys["Terminal"], "false");
  EXPECT_FALSE(keys["Name"].empty());
  EXPECT_FALSE(keys["Name[ja]"].empty());
  EXPECT_TRUE(isValidUtf8(keys["Name[ja]"]));
  EXPECT_EQ(keys["Categories"], "Office;Finance;");
  EXPECT_TRUE(fs::is_regular_file(kSource + "packaging/" + keys["Icon"] + ".svg"));
  if (commandExists("desktop-file-validate")) {
    auto result = runCommand(
        "desktop-file-validate " + shellQuote(kDesktopEntry), kSource);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
  }
}

// A Wayland compositor matches a window to its menu entry and icon by the
// name the program gives (its app id): the entry's file name without ".desktop".
TEST(DesktopEntry, TheProgramNamesItsWindowsAfterTheEntry) {
  const std::string main = readFile(kSource + "app/zelkwin_main.cpp");
  EXPECT_NE(main.find("setDesktopFileName(QStringLiteral(\"" + kDesktopId + "\"))"), std::string::npos);
}

TEST(Icon, IsAScalableSvg) {
  const std::string svg = readFile(kSource + "packaging/zelk.svg");
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("viewBox=\"0 0 128 128\""), std::string::npos);
  if (commandExists("xmllint")) {
    auto result = runCommand("xmllint --noout " + shellQuote(kSource + "packaging/zelk.svg"), kSource);
    EXPECT_EQ(result.exitCode, 0) << result.err;
  }
}

// What the shipped bash completion offers for the last of `words`, one entry
// a line, completed in `dir`.
std::string completions(const std::vector<std::string>& words, const std::string& dir) {
  std::string array = "zelk";
  for (const auto& word : words) array += " " + shellQuote(word);
  const std::string script = "source " + shellQuote(kSource + "packaging/zelk.bash-completion") +
                             "; COMP_WORDS=(" + array + "); COMP_CWORD=" +
                             std::to_string(words.size()) +
                             "; _zelk; for reply in \"${COMPREPLY[@]}\"; do printf '%s\\n' \"$reply\"; done";
  const auto result = runCommand("bash -c " + shellQuote(script), dir);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  return result.out;
}

TEST(BashCompletion, OffersFlagsOptionLettersAndLogPaths) {
  ScratchDir dir;
  dir.write("logs/wterm.tel", "");
  const struct {
    std::vector<std::string> words;
    std::string pattern;  // what the whole answer must match
  } cases[] = {
      {{"--mo"}, "--month\n"},
      {{"--month", "1"}, "1\n10\n11\n12\n"},
      {{"--carrier", "k"}, "kddi\n"},
      {{"--bill", "logs/w"}, "logs/wterm.tel\n"},
      {{"=d"}, "=d +\\(meter-reading day n \\(1-31\\)\\)\n=de +\\([^)]+\\)\n"},
      {{"=de"}, "=de\n"},
      {{"-a"}, "-a1 +\\(.+\\)\n-a2 +\\(.+\\)\n"},
      {{"-wlo"}, "-wlogs/\n"},
      {{"-wlogs/w"}, "-wlogs/wterm.tel\n"},
      {{"/hlogs/"}, "/hlogs/wterm.tel\n"},
      {{"logs"}, ""},  // not an option line: nothing, not a file name
  };
  for (const auto& c : cases)
    EXPECT_TRUE(std::regex_match(completions(c.words, dir.path()), std::regex(c.pattern)))
        << c.words.back() << " -> " << completions(c.words, dir.path());

  // Every flag the program knows is offered, and every entry of the full list
  // says what it does.
  const auto help = runCommand(shellQuote(ZELK_BINARY) + " --help", dir.path());
  const std::string flags = completions({"--"}, dir.path());
  const std::regex flagPattern("--[a-z][a-z-]*");
  for (std::sregex_iterator it(help.out.begin(), help.out.end(), flagPattern), end; it != end;
       ++it)
    EXPECT_TRUE(std::regex_search(flags, std::regex("(^|\n)" + it->str() + " ")))
        << it->str() << " is not completed";
  const std::string all = completions({""}, dir.path());
  EXPECT_GT(std::count(all.begin(), all.end(), '\n'), 30);
  EXPECT_TRUE(std::regex_match(all, std::regex("([^ \n]+ +\\([^\n]+\\)\n)+"))) << all;
}

TEST(Install, LaysOutProgramsDataAndDesktopFiles) {
  ScratchDir prefix;
  auto result = runCommand(std::string(ZELK_CMAKE_COMMAND) + " --install " +
                               shellQuote(ZELK_BUILD_DIR) + " --prefix " + shellQuote(prefix.path()),
                           prefix.path());
  ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
  const std::string root = prefix.path();

  const std::vector<std::string> expected = {"bin/zelk", "share/zelk/ma.zlk",
                                             "share/man/man1/zelk.1.gz",
                                             "share/bash-completion/completions/zelk"};
  // The desktop program's files come with it, or not at all.
  std::vector<std::string> desktop = {
      "bin/zelkwin",
      "share/applications/" + kDesktopId + ".desktop",
      "share/metainfo/" + kDesktopId + ".metainfo.xml",
      "share/icons/hicolor/scalable/apps/zelk.svg",
      "share/man/man1/zelkwin.1.gz",
  };
  for (const char* page : kOpenedPages) desktop.push_back(std::string("share/zelk/html/help/") + page);
#ifdef ZELK_HAVE_ZELKWIN
  const bool haveZelkwin = true;
#else
  const bool haveZelkwin = false;
#endif
  for (const auto& file : expected) EXPECT_TRUE(fs::is_regular_file(root + file)) << file;
  for (const auto& file : desktop) EXPECT_EQ(fs::is_regular_file(root + file), haveZelkwin) << file;
  EXPECT_EQ(fs::status(root + "bin/zelk").permissions() & fs::perms::others_exec,
            fs::perms::others_exec);
  EXPECT_EQ(readFile(root + "share/zelk/ma.zlk"), readFile(kSource + "data/ma.zlk"));
  EXPECT_EQ(fs::is_regular_file(root + "share/doc/zelk/examples/zelk.cfg"),
            fs::is_directory(kSource + "data/demo"));

  // The installed programs find the installed data through their own rule.
  ScratchDir config;
  EXPECT_EQ(maDataPath(config.path(), root + "bin/zelk"), root + "share/zelk/ma.zlk");
  if (haveZelkwin) {
    for (const char* page : kOpenedPages)
      EXPECT_EQ(helpPagePath(config.path(), page, root + "bin/zelkwin"),
                root + "share/zelk/html/help/" + page);
  }
}

}  // namespace
}  // namespace zelk
