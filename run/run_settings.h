// What a finished run hands to the windows and the reports: the settings it
// worked with, the own MA and the Telehodai numbers as it read them, which
// decide what rows of the fee table apply, and which stored month is still
// open.
#pragma once

#include "base/ma_lookup.h"
#include "base/telehodai_numbers.h"
#include "config/settings.h"

namespace zelk {

struct RunSettings : Settings {
  MaLookup origin;
  TelehodaiNumbers telehodai;
  // The stored month that holds today: its calls so far, not a whole month.
  // -1 when today's month is not among the stored months.
  int unfinishedMonth = -1;
};

}  // namespace zelk
