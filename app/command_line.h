// The arguments of zelk: its "--" flags, and every other argument as one
// option line of the settings syntax, passed on unchanged and in order.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/text_report.h"
#include "platform/clock.h"

namespace zelk {

// A bad argument: one line naming it; zelk adds "Try 'zelk --help'." and
// exits with 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CommandLine {
  bool help = false;
  bool version = false;
  bool json = false;
  bool check = false;
  bool summary = false;
  bool csv = false;
  bool calls = false;
  bool noIndex = false;
  bool readOnly = false;
  std::optional<std::string> billPath;  // --bill: check this bill against the month's calls
  int tolerance = 120;                  // --tolerance: seconds a bill's start may differ
  std::optional<std::string> carrier;   // --carrier: ntt, com, ttnet, qtnet or kddi
  ReportChoice choice;
  std::optional<LocalDate> today;
  std::vector<std::string> optionLines;
  std::vector<std::string> argsButToday;  // for the command the newest-call hint shows
};

// Throws UsageError for an unknown "--" flag, a missing or bad value.
CommandLine parseCommandLine(int argc, const char* const* argv);

// The usage text: the flags as parseCommandLine knows them, the option lines,
// the settings file this run would read and where the manual is.
std::string usageText(const std::string& settingsPath);

}  // namespace zelk
