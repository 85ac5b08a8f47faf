// The index of old records (zelk.idx) must never change what a run shows:
// every run below is made twice from the same files, once with the index the
// earlier runs left and once without any, and both must print, exit and
// rewrite zelk.cfg alike, while the logs grow, change, shrink and the index
// itself is damaged.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <random>

#include "logs/prefix_index.h"
#include "platform/content_digest.h"
#include "platform/cp932.h"
#include "platform/regular_file.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace zelk {
namespace {

struct RunOutput {
  test::ProcessResult result;
  std::string settings;
};

RunOutput runZelk(const std::string& home, const std::string& today, const std::string& flags = "",
                  const std::string& environment = "ZELK_NO_INDEX=0") {
  RunOutput output;
  output.result = test::runCommand(test::shellQuote(ZELK_BINARY) + " --json" + flags, home,
                                   {"ZELK_HOME=" + home, "ZELK_TODAY=" + today, environment});
  output.settings = test::readFile(home + "zelk.cfg");
  return output;
}

// Three years of calls in two logs, mostly in date order: names to learn,
// a name a settings line cannot hold, dates that cannot be normalised, junk
// lines and a few calls out of order.
void writeHistory(const test::ScratchDir& home) {
  std::mt19937 random(17);
  std::string names, numbers;
  char line[160];
  for (int day = 0; day < 3 * 365; ++day) {
    const int year = 1998 + day / 365, month = day % 365 * 12 / 365 + 1, date = day % 28 + 1;
    for (int call = 0; call < 3; ++call) {
      const int hour = static_cast<int>(random() % 24), minutes = static_cast<int>(random() % 50 + 1);
      const int outOfOrder = random() % 200 == 0 ? 1 : 0;
      std::string name = "ISP" + std::to_string(random() % 12);
      if (random() % 150 == 0) name = "A==B";
      const int loggedYear = random() % 300 == 0 ? 1850 : year + outOfOrder;
      std::snprintf(line, sizeof line, "%04d/%02d/%02d %02d:%02d:07 00:%02d:30   120  : %-20s\r\n", loggedYear,
                    month, date, hour, minutes, minutes, name.c_str());
      names += line;
      std::snprintf(line, sizeof line, "%04d-%02d-%02d  %02d:%02d:11  [00:%02d:05] %6d %s  [%-12s] ok\r\n",
                    year, month, date, hour, minutes, minutes, 240, sjis("円").c_str(),
                    random() % 2 ? "0332001234" : "0120123456");
      numbers += line;
      if (random() % 40 == 0) names += "-- junk --\r\n";
    }
  }
  home.write("names.tel", names);
  home.write("numbers.tel", numbers);
  home.write("ma.zlk", test::readFile(std::string(ZELK_SOURCE_DIR) + "/data/ma.zlk"));
  home.write("zelk.cfg", test::crlfLines({"zelk Version 4.21", "=03", "=l12", "$ISP1==0312345678",
                                          "-c" + home.path() + "names.tel", "-w" + home.path() + "numbers.tel"}));
}

void appendTo(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "ab");
  std::fputs(bytes.c_str(), file);
  std::fclose(file);
}

TEST(PrefixIndex, RunsWithAndWithoutTheIndexShowTheSame) {
  test::ScratchDir home;
  writeHistory(home);
  const std::string index = home.path() + kPrefixIndexFile;
  const std::string names = home.path() + "names.tel";

  // What a run shows after `change`, with the index the earlier runs left
  // and, from a copy of the same files, without one.
  auto expectSame = [&](const std::string& what, const std::string& today, const std::function<void()>& change) {
    SCOPED_TRACE(what);
    change();
    test::ScratchDir bare;
    fs::copy(home.path(), bare.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::remove(bare.path() + kPrefixIndexFile);
    // The logs are named by their full paths, which must stay the indexed home's.
    const RunOutput without = runZelk(bare.path(), today);
    fs::remove(bare.path() + kPrefixIndexFile);
    const std::string settingsAfter = without.settings;
    const RunOutput with = runZelk(home.path(), today);
    EXPECT_EQ(with.result.exitCode, without.result.exitCode);
    EXPECT_EQ(with.result.out, without.result.out);
    EXPECT_EQ(with.result.err, without.result.err);
    EXPECT_EQ(with.settings, settingsAfter);
    EXPECT_FALSE(with.result.out.empty());
  };
  const auto nothing = [] {};

  expectSame("first run", "2000-12-31", nothing);
  EXPECT_TRUE(fs::exists(index));
  // The first run digested the logs as it scanned them: each digest is the
  // one of the bytes it stands for, which a later run of grown logs checks.
  for (const LogPrefixIndex& entry : decodePrefixIndex(test::readFile(index)))
    EXPECT_EQ(digestOfFileStart(entry.path, entry.digestBytes), entry.digest) << entry.path;
  expectSame("from the index", "2000-12-31", nothing);
  expectSame("earlier months", "1999-06-30", nothing);
  expectSame("later months again", "2000-12-31", nothing);
  expectSame("the middle of a month", "2000-12-14", nothing);
  expectSame("another meter day", "2000-12-31", [&] { appendTo(home.path() + "zelk.cfg", "=d15\r\n"); });
  expectSame("another meter day, from the index", "2000-12-31", nothing);
  expectSame("the logs grew", "2001-01-31", [&] {
    appendTo(names, "2001/01/05 10:00:00 00:03:00   120  : ISP99               \r\n");
    appendTo(home.path() + "numbers.tel", "2001-01-06  10:00:00  [00:02:00]    120 " + sjis("円") + "  [0332001234  ] ok\r\n");
  });
  expectSame("grown, from the index", "2001-01-31", nothing);
  expectSame("an old line changed in place", "2001-01-31", [&] {
    std::string bytes = test::readFile(names);
    bytes.replace(bytes.find("ISP3 "), 5, "ISPX ");
    home.write("names.tel", bytes);
  });
  // On a file system that keeps whole seconds, a same-size edit within the
  // second the index was written leaves the log's stamp as it was: the index
  // is made to hold the edited log's stamp, as such a file system shows it.
  // There the log had changed within that second before the run too, so the
  // run marked it racy; that is set here rather than left to how long the
  // steps before took on a loaded machine.
  expectSame("an old line changed in the second of the run", "2001-01-31", [&] {
    runZelk(home.path(), "2001-01-31");
    std::string bytes = test::readFile(names);
    bytes.replace(bytes.find("ISP4 "), 5, "ISPZ ");
    home.write("names.tel", bytes);
    PrefixIndex coarse = decodePrefixIndex(test::readFile(index));
    ASSERT_FALSE(coarse.empty());
    for (LogPrefixIndex& entry : coarse) {
      if (entry.path != names) continue;
      entry.stamp = *fileStampOf(names);
      entry.racy = true;
    }
    home.write(kPrefixIndexFile, encodePrefixIndex(coarse));
  });
  expectSame("a name given a number", "2001-01-31", [&] { appendTo(home.path() + "zelk.cfg", "$ISP7==0399998888\r\n"); });
  // Indexes no run writes, under a valid digest: none may change an answer.
  auto forge = [&](const std::function<void(LogPrefixIndex&)>& change) {
    return [&, change] {
      PrefixIndex forged = decodePrefixIndex(test::readFile(index));
      ASSERT_FALSE(forged.empty());
      for (LogPrefixIndex& entry : forged) change(entry);
      home.write(kPrefixIndexFile, encodePrefixIndex(forged));
    };
  };
  const std::string today = "2001-01-31";
  expectSame("more events than a log gives", today, forge([](LogPrefixIndex& entry) {
    entry.events.insert(entry.events.begin(), kMaxIndexEvents + 1, SkippedEvent{true, {}});
    for (PrefixCheckpoint& mark : entry.checkpoints) mark.eventCount += kMaxIndexEvents + 1;
  }));
  expectSame("a checkpoint past the log's end", today, forge([](LogPrefixIndex& entry) {
    entry.digestBytes = entry.checkpoints.back().offset = entry.stamp.size + 100;
  }));
  // Every call before the months kept: the run tells the newest one's date.
  expectSame("a date no calendar holds", "2010-12-31", [&] {
    runZelk(home.path(), "2010-12-31");  // an index for this start
    forge([](LogPrefixIndex& entry) {
      for (PrefixCheckpoint& mark : entry.checkpoints)
        if (mark.newest) mark.newest->year = std::numeric_limits<int>::max();
    })();
  });
  // An index someone else could have put there is not read: in a folder
  // anyone may write to, or behind a link.
  const auto planted = forge([](LogPrefixIndex& entry) {
    for (SkippedEvent& event : entry.events)
      if (!event.oddDate) event.name = "PLANTED";
  });
  expectSame("an index in a folder anyone may write to", today, [&] {
    planted();
    fs::permissions(home.path(), fs::perms::all);
  });
  fs::permissions(home.path(), fs::perms::owner_all);
  expectSame("an index behind a link", today, [&] {
    planted();
    fs::rename(index, home.path() + "elsewhere.idx");
    fs::create_symlink(home.path() + "elsewhere.idx", index);
  });
  fs::remove(index);
  runZelk(home.path(), today);
  EXPECT_EQ(fs::status(index).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  // The last forgery: on a run that takes it, the name breaks zelk.cfg for good.
  expectSame("a name holding a line end", today, forge([](LogPrefixIndex& entry) {
    entry.events.insert(entry.events.begin(), SkippedEvent{false, "X\r\n-w/nonexistent/wterm.tel"});
    for (PrefixCheckpoint& mark : entry.checkpoints) ++mark.eventCount;
  }));
  expectSame("the log cut short", "2001-01-31", [&] {
    const std::string bytes = test::readFile(names);
    home.write("names.tel", bytes.substr(0, bytes.size() / 2));
  });
  expectSame("more names than the table holds", "2002-12-31", [&] {
    // Each twice: a name the full table cannot take is shown at every call.
    for (int i = 0; i < 24; ++i)
      appendTo(names, "2001/02/0" + std::to_string(i % 9 + 1) + " 10:00:00 00:03:00   120  : NEW" +
                          std::to_string(i % 12) + "                \r\n");
    appendTo(names, "2001/03/01 10:00:00 00:03:00   120  : ISP2                \r\n");
  });
  expectSame("more names, from the index", "2002-12-31", nothing);
  expectSame("a damaged index", "2000-12-31", [&] {
    std::string bytes = test::readFile(index);
    bytes[bytes.size() / 2] ^= 0x20;
    home.write(kPrefixIndexFile, bytes);
  });
  expectSame("a truncated index", "2000-12-31", [&] {
    home.write(kPrefixIndexFile, test::readFile(index).substr(0, 100));
  });
}

// Switched off, the index is neither read (a planted one changes nothing)
// nor written.
TEST(PrefixIndex, SwitchedOffItIsNeitherReadNorWritten) {
  const std::string today = "2000-12-31";
  for (const auto& [flags, environment] : {std::pair<std::string, std::string>{" --no-index", "ZELK_NO_INDEX=0"},
                                           {"", "ZELK_NO_INDEX=1"}}) {
    SCOPED_TRACE(flags + environment);
    test::ScratchDir home;
    writeHistory(home);
    const std::string index = home.path() + kPrefixIndexFile;
    runZelk(home.path(), today);
    PrefixIndex planted = decodePrefixIndex(test::readFile(index));
    ASSERT_FALSE(planted.empty());
    for (LogPrefixIndex& entry : planted)
      for (SkippedEvent& event : entry.events)
        if (!event.oddDate) event.name = "PLANTED";
    home.write(kPrefixIndexFile, encodePrefixIndex(planted));
    test::ScratchDir bare;
    fs::copy(home.path(), bare.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::remove(bare.path() + kPrefixIndexFile);
    const RunOutput without = runZelk(bare.path(), today);
    const RunOutput off = runZelk(home.path(), today, flags, environment);
    EXPECT_EQ(off.result.exitCode, 0);
    EXPECT_EQ(off.result.out, without.result.out);
    EXPECT_EQ(off.settings, without.settings);
    EXPECT_EQ(test::readFile(index), encodePrefixIndex(planted));
    fs::remove(index);
    runZelk(home.path(), today, flags, environment);
    EXPECT_FALSE(fs::exists(index));
    // Switched on, the planted index is taken: the test above could tell.
    home.write(kPrefixIndexFile, encodePrefixIndex(planted));
    EXPECT_NE(runZelk(home.path(), today).settings.find("PLANTED"), std::string::npos);
  }
}

// A stamp is trusted alone only when the log's last change lies a whole
// coarsest tick before the index was written.
TEST(PrefixIndex, AStampCloseToTheWritingIsRacy) {
  constexpr std::int64_t second = 1'000'000'000;
  constexpr std::int64_t written = 1'000'000 * second;
  const struct {
    const char* what;
    std::int64_t modified;
    std::int64_t changed;
    bool racy;
  } cases[] = {
      {"changed long before", written - 3600 * second, written - 3600 * second, false},
      {"changed just over a tick before", written - 2 * second - 1, written - 2 * second - 1, false},
      {"changed within the tick", written - 2 * second + 1, written - 2 * second + 1, true},
      {"changed in the same second", written, written, true},
      {"a time set back, the change time new", written - 3600 * second, written - second, true},
      {"a time in the future", written + 3600 * second, written + 3600 * second, true},
  };
  for (const auto& each : cases)
    EXPECT_EQ(isRacyStamp(FileStamp{100, each.modified, each.changed, 1, 1}, written), each.racy) << each.what;
}

// Whatever the bytes, decoding gives the index that was written or none.
TEST(PrefixIndex, DecodesWhatWasWrittenAndNothingElse) {
  CalendarTime newest;
  newest.year = 99;
  newest.day = 11;
  ASSERT_TRUE(normalise(newest));
  const PrefixIndex index{{"/logs/a.tel", LogFormat::C, {123, 4, 5, 6, 7}, true, 80, 0x1234,
                           {{false, "ISP1"}, {true, {}}, {false, ""}},
                           {{40, DateKey{98, 3}, 2, newest}, {80, DateKey{99, 11}, 3, std::nullopt}}}};
  const std::string bytes = encodePrefixIndex(index);
  EXPECT_EQ(decodePrefixIndex(bytes), index);
  for (std::size_t size = 0; size < bytes.size(); ++size)
    EXPECT_TRUE(decodePrefixIndex(bytes.substr(0, size)).empty()) << size;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    std::string damaged = bytes;
    damaged[at] ^= 0x01;
    EXPECT_TRUE(decodePrefixIndex(damaged).empty()) << at;
  }
  // Under a right digest, only what a run can write is taken.
  const std::vector<std::pair<const char*, std::function<void(LogPrefixIndex&)>>> forgeries{
      {"checkpoints out of order", [](LogPrefixIndex& entry) {
         std::swap(entry.checkpoints[0], entry.checkpoints[1]);
       }},
      {"a name with a line end", [](LogPrefixIndex& entry) { entry.events[0].name = "ISP\r\n-w/x"; }},
      {"a name with a NUL", [](LogPrefixIndex& entry) { entry.events[0].name = std::string("IS\0P", 4); }},
      {"a name longer than a line", [](LogPrefixIndex& entry) { entry.events[0].name.assign(kLogLineBuffer, 'N'); }},
      {"more events than a log gives", [](LogPrefixIndex& entry) {
         entry.events.resize(kMaxIndexEvents + 1, SkippedEvent{true, {}});
       }},
      {"more checkpoints than a log gives", [](LogPrefixIndex& entry) {
         entry.checkpoints.clear();
         for (std::uint64_t at = 1; at <= kMaxIndexCheckpoints + 1; ++at) entry.checkpoints.push_back({at, {}, 0, {}});
         entry.digestBytes = entry.stamp.size = kMaxIndexCheckpoints + 1;
       }},
      {"bytes past the log's end", [](LogPrefixIndex& entry) { entry.stamp.size = entry.digestBytes - 1; }},
      {"a newest date past the calendar", [](LogPrefixIndex& entry) {
         entry.checkpoints[0].newest->year = std::numeric_limits<int>::max();
       }},
      {"a newest date not normalised", [](LogPrefixIndex& entry) { ++entry.checkpoints[0].newest->yearDay; }},
      {"a latest date no record has", [](LogPrefixIndex& entry) {
         entry.checkpoints[1].latest->year = std::numeric_limits<int>::min();
       }},
  };
  for (const auto& [what, change] : forgeries) {
    PrefixIndex forged = index;
    change(forged[0]);
    EXPECT_TRUE(decodePrefixIndex(encodePrefixIndex(forged)).empty()) << what;
  }
  EXPECT_TRUE(decodePrefixIndex(encodePrefixIndex(PrefixIndex(kMaxIndexedLogs + 1, index[0]))).empty());
  EXPECT_EQ(decodePrefixIndex(encodePrefixIndex(PrefixIndex(kMaxIndexedLogs, index[0]))).size(), kMaxIndexedLogs);
}

}  // namespace
}  // namespace zelk
