// Shared pieces of the settings tests: a small MA search over a handful of
// made-up MAs, and the records one reading fills.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/log_source.h"
#include "base/ma_search.h"
#include "config/settings.h"
#include "config/option_line.h"
#include "config/settings_reader.h"
#include "config/settings_writer.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "support/test_support.h"

namespace zelk::test {

class FakeMaSearch : public MaSearch {
 public:
  struct Ma {
    std::string name;
    std::vector<std::string> prefixes;
    std::vector<std::string> adjacent;
    int prefecture = 0;
  };

  // Utsunomiya (0286, 0287) next to 0285 and 0289; Tokyo (03) next to 042.
  FakeMaSearch()
      : mas{{"utsunomiya", {"286", "287"}, {"285", "289"}, 9},
            {"tokyo", {"3"}, {"42"}, 13},
            {"oyama", {"285"}, {"286"}, 9}} {}

  int findSingle(std::string_view number, MaLookup& lookup) override {
    searched.emplace_back(number);
    for (const auto& ma : mas) {
      for (const auto& prefix : ma.prefixes) {
        if (number.substr(0, prefix.size()) == prefix) {
          auto areaList = std::move(lookup.areaList);
          lookup = MaLookup{};
          lookup.areaList = std::move(areaList);
          lookup.name = ma.name;
          lookup.prefixes = ma.prefixes;
          lookup.adjacentPrefixes = ma.adjacent;
          lookup.prefecture = ma.prefecture;
          return static_cast<int>(ma.prefixes.size());
        }
      }
    }
    showMessage(sjis("なんか、該当dataがないのぉ(:_;)") + "[0" + std::string(number) + "]");
    auto areaList = std::move(lookup.areaList);
    lookup = MaLookup{};
    lookup.areaList = std::move(areaList);
    return 0;
  }

  int findAccumulate(std::string_view, MaLookup& lookup) override {
    return static_cast<int>(lookup.areaList.size());
  }

  std::vector<Ma> mas;
  std::vector<std::string> searched;
};

// A configuration read by the tests, with the program directory set and its
// parts named as the reader fills them.
struct TestConfiguration {
  explicit TestConfiguration(std::string programDir = "")
      : configuration(defaultConfiguration(std::move(programDir))) {}
  Configuration configuration;
  Settings& settings = configuration.settings;
  ReplaceTables& tables = configuration.tables;
  LogDeclarations& logs = configuration.logs;
  TelehodaiNumbers& telehodai = configuration.telehodai;
  MaLookup& origin = configuration.origin;
  FakeMaSearch maSearch;

  void read() {
    configuration = defaultConfiguration(settings.programDir);
    readSettingsFile(configuration, maSearch);
  }
  void line(std::string_view text) { applySettingsFileLine(text, configuration, maSearch); }
  void option(std::string_view text) { applyOptionLine(text, configuration, maSearch); }
  std::string fileText(WriteMode mode) const { return settingsFileText(mode, configuration); }
};

// The lines of a file written with CR LF, without their line ends.
std::vector<std::string> splitCrlf(const std::string& bytes);

}  // namespace zelk::test

namespace zelk::test {

// Every value the records hold, as one text, so that two readings compare
// field by field with a readable difference.
std::string describe(const Settings& settings);
std::string describe(const ReplaceTables& tables);
std::string describe(const LogDeclarations& logs, int logCount);
std::string describe(const TelehodaiNumbers& telehodai);

}  // namespace zelk::test
