// What a finished run hands to the windows and the reports: the settings it
// worked with, and the own MA and the Telehodai numbers as it read them, which
// decide what rows of the fee table apply.
#pragma once

#include "base/ma_lookup.h"
#include "base/telehodai_numbers.h"
#include "config/settings.h"

namespace zelk {

struct RunSettings : Settings {
  MaLookup origin;
  TelehodaiNumbers telehodai;
};

}  // namespace zelk
