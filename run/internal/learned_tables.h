// The four tables as a run uses them: what zelk.cfg gave and what the run has
// learned since (connection names met, numbers to correct).
#pragma once

#include "base/replace_tables.h"

namespace zelk {

struct LearnedTables {
  ReplaceTables tables;
  bool grew = false;  // an entry was learned: zelk.cfg is rewritten after the run
};

}  // namespace zelk
