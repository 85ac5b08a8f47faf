#pragma once

#include <string>

#include "run/calculation.h"

namespace zelk {

struct ReportChoice {
  int month = 0;          // 1-based stored month; 0 for the newest
  bool all = false;       // every stored month
  bool estimate = false;  // the projection of the current month
};

// The months of a run for a person, in UTF-8.
std::string textReport(const RunResult& run, const ReportChoice& choice);

}  // namespace zelk
