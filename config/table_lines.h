// The four tables that only the settings file holds: area-set entries ("%",
// and the older "#"), connection names ("$"), Telehodai numbers ("H") and
// number replacements ("N"). A line that does not parse, or a full table,
// changes nothing; the observer hears of it.
#pragma once

#include <string_view>

#include "base/ma_lookup.h"
#include "config/settings.h"
#include "config/settings_findings.h"

namespace zelk {

// "%B=number" (B "1" to "7", "8" for beyond 170 km) or "#B=number" (B "1" to
// "6", "7" for beyond 170 km); any other B gives an entry without a band.
void addAreaSetLine(std::string_view line, ReplaceTables& tables, SettingsObserver* observer = nullptr);

// "$NAME==number"; a name longer than 38 bytes is cut, with one message.
void addNameLine(std::string_view line, ReplaceTables& tables, SettingsObserver* observer = nullptr);

// "H=number": accepted in the origin's own or an adjacent MA; any other
// number makes the whole list invalid.
void addTelehodaiLine(std::string_view line, TelehodaiNumbers& telehodai, const MaLookup& origin,
                      SettingsObserver* observer = nullptr);

// "N=from==to".
void addNumberReplaceLine(std::string_view line, ReplaceTables& tables,
                          SettingsObserver* observer = nullptr);

}  // namespace zelk
