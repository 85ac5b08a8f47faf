// zelk --check: reads zelk.cfg and the command-line option lines as a run
// would, runs nothing and writes nothing, and lists each line the reading
// ignores or cuts, a missing own number, and each area-set entry set beyond
// 170 km that the MA data can place now.
#pragma once

#include <string>
#include <vector>

#include "base/ma_search.h"

namespace zelk {

struct SettingsCheckItem {
  int fileLine = 0;  // 1 for the first line of zelk.cfg; 0 for the file as a whole
  int argument = 0;  // 1 for the first option line given; 0 for the file
  std::string line;  // the line as read (CP932); empty for the file as a whole
  std::string text;  // what is wrong with it (CP932)
};

std::vector<SettingsCheckItem> checkSettings(const std::string& programDir,
                                             const std::vector<std::string>& optionLines,
                                             MaSearch& maSearch);

// One item a line, "zelk.cfg:12: line: text" or "引数3: line: text".
std::string checkReportText(const std::vector<SettingsCheckItem>& items);

}  // namespace zelk
