// The index and the month replay never change an answer: a few hundred random
// steps on a small home (logs grown, edited in place within the index's
// second, cut short, replaced; today moved; =d and =l changed; the index
// forged, planted, made stale or cut), each followed by two runs from the
// same files, one with the index the earlier runs left and one without.
// Both must show, report and write back the same, and every stored month
// listed call by call must be that month's calls.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <random>
#include <string>

#include "logs/prefix_index.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/regular_file.h"
#include "run/calculation.h"
#include "support/test_support.h"
#include "ui/model/month_calls.h"

namespace fs = std::filesystem;

namespace zelk {
namespace {

constexpr int kSteps = 300;

struct Answer {
  std::string text;  // everything the run showed and reported
  std::string settings;  // zelk.cfg after the run
  RunResult run;
  MonthList months;
};

class SmallHome {
 public:
  SmallHome() : random_(24) {
    home_.write("ma.zlk", test::readFile(std::string(ZELK_SOURCE_DIR) + "/data/ma.zlk"));
    home_.write("names.tel", history(1998));
    home_.write("numbers.tel", numbers(1998));
    meterLine_ = "=de";
    monthsLine_ = "=l6";
    writeSettings();
    today_ = {2000, 12, 31};
  }

  std::string path(const std::string& name) const { return home_.path() + name; }

  // One random change to the files or to today.
  std::string change() {
    const std::string names = path("names.tel");
    const std::string index = path(kPrefixIndexFile);
    switch (pick(11)) {
      case 0: {
        const int year = 1998 + pick(5);
        appendLine(names, nameLine(year, pick(12) + 1, pick(28) + 1, "ISP" + std::to_string(pick(14))));
        return "a log grew";
      }
      case 1: {
        // On a file system that keeps whole seconds an edit within the tick
        // of the log's last change leaves the stamp as it was: where the
        // index was written within that tick (racy), it is made to hold the
        // new stamp.
        std::string bytes = test::readFile(names);
        const auto at = bytes.find("ISP" + std::to_string(pick(10)) + " ");
        if (at == std::string::npos) return "nothing";
        bytes[at + 3] = static_cast<char>('A' + pick(26));
        home_.write("names.tel", bytes);
        PrefixIndex coarse = decodePrefixIndex(test::readFile(index));
        for (LogPrefixIndex& entry : coarse)
          if (entry.path == names && entry.racy) entry.stamp = *fileStampOf(names);
        if (!coarse.empty()) home_.write(kPrefixIndexFile, encodePrefixIndex(coarse));
        return "an old name changed in the index's second";
      }
      case 2: {
        const std::string bytes = test::readFile(names);
        const auto cut = bytes.rfind('\n', static_cast<std::size_t>(pick(static_cast<int>(bytes.size()) + 1)));
        home_.write("names.tel", cut == std::string::npos ? "" : bytes.substr(0, cut + 1));
        return "a log cut short";
      }
      case 3:
        home_.write(pick(2) ? "names.tel" : "numbers.tel", pick(2) ? history(1997 + pick(3)) : numbers(1997 + pick(3)));
        return "a log replaced";
      case 4:
        today_ = {1998 + pick(6), pick(12) + 1, pick(28) + 1};
        return "today moved";
      case 5:
        meterLine_ = pick(3) == 0 ? "=de" : "=d" + std::to_string(pick(28) + 1);
        monthsLine_ = "=l" + std::to_string(pick(12) + 1);
        writeSettings();
        return "=d or =l changed";
      case 6:
        return forgeIndex();
      case 7:
        if (!staleIndex_.empty()) home_.write(kPrefixIndexFile, staleIndex_);
        staleIndex_ = test::readFile(index);
        return "an older index put back";
      case 8: {
        const std::string bytes = test::readFile(index);
        if (!bytes.empty()) home_.write(kPrefixIndexFile, bytes.substr(0, static_cast<std::size_t>(pick(static_cast<int>(bytes.size())))));
        return "the index cut short";
      }
      case 9: {
        // A name a settings line may never hold, in the log itself.
        appendLine(names, nameLine(1998 + pick(3), pick(12) + 1, pick(28) + 1, std::string("TAB\tNAME")));
        return "a name with a control byte";
      }
      default:
        return "nothing";
    }
  }

  // The run as it is now, with or without the index; zelk.cfg is put back
  // as it was before, so that both runs start from the same files.
  Answer run(bool useIndex) {
    const std::string settingsBefore = test::readFile(path("zelk.cfg"));
    setToday(today_);
    RecordingSink messages;
    Answer answer;
    {
      ScopedMessageSink sink(messages);
      RunResult calculation;
      try {
        runCalculation({home_.path(), {}, useIndex}, calculation);
      } catch (const FatalError& error) {
        answer.text += "fatal " + std::to_string(error.code()) + "\n";
      }
      answer.run = calculation;
      answer.months = calculation.months;
      for (int i = 0; i < answer.months.count; ++i) {
        const MonthResult& month = answer.months.months[static_cast<std::size_t>(i)];
        answer.text += month.title + "|" + month.name + "|" + month.callList + "\n";
        for (std::uint32_t slot : month.amounts.values) answer.text += std::to_string(slot) + ",";
      }
      if (const auto& newest = calculation.newestCallBeforeWindow) answer.text += isoDateText(newest->date);
    }
    for (const std::string& message : messages.messages) answer.text += message + "\n";
    answer.settings = test::readFile(path("zelk.cfg"));
    if (!useIndex) home_.write("zelk.cfg", settingsBefore);
    return answer;
  }

  void appendCall(const std::string& line) { appendLine(path("names.tel"), line); }
  void restoreNames(const std::string& bytes) { home_.write("names.tel", bytes); }
  const LocalDate& today() const { return today_; }

 private:
  int pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }

  static std::string nameLine(int year, int month, int day, const std::string& name) {
    char line[160];
    std::snprintf(line, sizeof line, "%04d/%02d/%02d %02d:%02d:07 00:%02d:30   120  : %-20s\r\n", year, month, day,
                  day % 24, month * 3, day + 1, name.c_str());
    return line;
  }

  std::string history(int fromYear) {
    std::string bytes;
    for (int day = 0; day < 2 * 365; day += 2 + pick(3)) {
      const int year = pick(120) == 0 ? 1850 : fromYear + day / 365;
      bytes += nameLine(year, day % 365 * 12 / 365 + 1, day % 28 + 1, "ISP" + std::to_string(pick(12)));
      if (pick(50) == 0) bytes += "-- junk --\r\n";
    }
    return bytes;
  }

  std::string numbers(int fromYear) {
    std::string bytes;
    char line[160];
    for (int day = 0; day < 2 * 365; day += 2 + pick(4)) {
      std::snprintf(line, sizeof line, "%04d-%02d-%02d  %02d:%02d:11  [00:%02d:05] %6d %s  [%-12s] ok\r\n",
                    fromYear + day / 365, day % 365 * 12 / 365 + 1, day % 28 + 1, pick(24), pick(60), pick(50) + 1,
                    240, sjis("円").c_str(), pick(2) ? "0332001234" : "0120123456");
      bytes += line;
    }
    return bytes;
  }

  void appendLine(const std::string& file, const std::string& line) {
    home_.write(fs::path(file).filename().string(), test::readFile(file) + line);
  }

  void writeSettings() {
    std::string settings = test::readFile(path("zelk.cfg"));
    // Learned names stay; the settings this test varies are written anew.
    std::string learned;
    for (std::size_t at = 0; (at = settings.find("\r\n$", at)) != std::string::npos;) {
      const auto end = settings.find("\r\n", at + 2);
      learned += settings.substr(at + 2, end - at - 2) + "\r\n";
      at = end;
    }
    home_.write("zelk.cfg", test::crlfLines({"zelk Version 4.21", "=03", meterLine_, monthsLine_,
                                              "-c" + path("names.tel"), "-w" + path("numbers.tel")}) +
                                learned);
  }

  // An index no run writes, under a valid digest.
  std::string forgeIndex() {
    PrefixIndex index = decodePrefixIndex(test::readFile(path(kPrefixIndexFile)));
    if (index.empty()) return "nothing";
    LogPrefixIndex& entry = index[static_cast<std::size_t>(pick(static_cast<int>(index.size())))];
    std::string what;
    switch (pick(6)) {
      case 0:
        entry.events.insert(entry.events.begin(), SkippedEvent{false, "X\r\n-w/nonexistent/wterm.tel"});
        for (PrefixCheckpoint& mark : entry.checkpoints) ++mark.eventCount;
        what = "a name holding a line end";
        break;
      case 1:
        entry.path = entry.path == path("names.tel") ? path("numbers.tel") : path("names.tel");
        what = "an entry under the other log's name";
        break;
      case 2:
        if (entry.checkpoints.empty()) return "nothing";
        entry.digestBytes = entry.checkpoints.back().offset = entry.stamp.size + 1 + pick(1000);
        what = "a checkpoint past the log's end";
        break;
      case 3:
        for (PrefixCheckpoint& mark : entry.checkpoints)
          if (mark.newest) mark.newest->year = std::numeric_limits<int>::max();
        what = "a date no calendar holds";
        break;
      case 4:
        entry.events.insert(entry.events.begin(), kMaxIndexEvents + 1, SkippedEvent{true, {}});
        for (PrefixCheckpoint& mark : entry.checkpoints) mark.eventCount += kMaxIndexEvents + 1;
        what = "more events than a log gives";
        break;
      default:
        entry.racy = false;
        what = "a racy log marked safe";
        break;
    }
    home_.write(kPrefixIndexFile, encodePrefixIndex(index));
    return what;
  }

  test::ScratchDir home_;
  std::mt19937 random_;
  std::string meterLine_;
  std::string monthsLine_;
  LocalDate today_;
  std::string staleIndex_;
};

TEST(IndexDifferential, RandomStepsNeverChangeAnAnswer) {
  SmallHome home;
  int monthsListed = 0;
  for (int step = 0; step < kSteps; ++step) {
    const std::string what = home.change();
    SCOPED_TRACE("step " + std::to_string(step) + ": " + what);
    const Answer without = home.run(false);
    const Answer with = home.run(true);
    ASSERT_EQ(with.text, without.text);
    ASSERT_EQ(with.settings, without.settings);
    // Now and then, as in a window left open: a call is appended to a log
    // and today moves a year on; a stored month listed again is the same.
    if (step % 10 == 0 && with.months.count > 0) {
      const int month = step / 10 % with.months.count;
      const std::string listed = callsCsv(monthCalls(with.run, month));
      const std::string names = test::readFile(home.path("names.tel"));
      home.appendCall("2010/01/05 10:00:00 00:03:00   120  : ISP3                \r\n");
      setToday(LocalDate{home.today().year + 1, home.today().month, home.today().day});
      EXPECT_EQ(callsCsv(monthCalls(with.run, month)), listed) << "month " << month;
      home.restoreNames(names);
      ++monthsListed;
    }
  }
  EXPECT_GT(monthsListed, 5);
  setToday(std::nullopt);
}

}  // namespace
}  // namespace zelk
