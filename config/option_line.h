// One option line of the settings syntax, from zelk.cfg or the command line:
// hide switches "!XY-", log declarations "-w..." or "/w...", and the "="
// options. The tables ("%", "#", "$", "H", "N") exist only in the file and are
// read by the settings file reader; here they change nothing.
#pragma once

#include <string_view>

#include "base/ma_search.h"
#include "config/configuration.h"
#include "config/settings_findings.h"

namespace zelk {

// Longest declared path, telechoiceText and outputPath, in bytes.
inline constexpr std::size_t kMaxSettingTextBytes = 127;

// Applies one line; a line that does not parse changes nothing. The origin
// option "=0<number>" asks `maSearch` for the MA of the number. What the line
// leaves unused or cuts is told to `observer`.
void applyOptionLine(std::string_view line, Configuration& configuration, MaSearch& maSearch,
                     SettingsObserver* observer = nullptr);

}  // namespace zelk
