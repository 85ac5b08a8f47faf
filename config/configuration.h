// What zelk.cfg and the option lines say, as one value: the settings, the four
// tables, the declared logs, the Telehodai numbers and the own MA. Nothing of
// a run is in it: the run keeps what it learns in its own state and result.
#pragma once

#include "base/log_source.h"
#include "base/ma_lookup.h"
#include "base/replace_tables.h"
#include "base/telehodai_numbers.h"
#include "config/settings.h"

namespace zelk {

struct Configuration {
  Settings settings;  // settings.logCount counts the declared logs
  ReplaceTables tables;
  LogDeclarations logs{};
  TelehodaiNumbers telehodai;
  MaLookup origin;
};

}  // namespace zelk
