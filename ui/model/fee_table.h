// What the fee-table window shows: the carriers' tabs, each with its legend
// and its 24 rate cells (8 distance bands by 3 time bands), and the mapping
// between the window's band choice and the distance band codes. The cells are
// display text only; the charges themselves come from the tariff tables.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/distance_band.h"

namespace zelk {

inline constexpr int kFeeTabCount = 7;
inline constexpr int kFeeBandRows = 8;
inline constexpr int kFeeTimeColumns = 3;
inline constexpr int kBandItemCount = 8;

// Tab captions, in tab order (CP932).
const std::array<std::string, kFeeTabCount>& feeTabNames();

// The grid's fixed headings: day, night, late night; the eight bands.
const std::array<std::string, kFeeTimeColumns>& feeColumnHeadings();
const std::array<std::string, kFeeBandRows>& feeRowHeadings();

// The legend lines of a tab, one memo line each, leading blanks kept.
std::vector<std::string> feeLegend(int tab);

// The text of one rate cell: `row` 0-7 (in-area to beyond 170 km), `column`
// 0-2 (day, night, late night). "180.0秒(\ 10)" for unit tariffs, "0.66円(\ 20)"
// for the per-6-seconds tariffs; the backslash is the yen sign.
std::string feeCell(int tab, int row, int column);

// The items of the band choice (CP932), item 0-7.
const std::array<std::string, kBandItemCount>& bandItemTexts();

// The item that stands for a band (1-7 give 0-6, 20 gives 7); none for a
// band the choice cannot show (0, 21).
std::optional<int> bandItem(DistanceBand band);

// The band an item stands for; none for an item outside 0-7 (no choice).
std::optional<DistanceBand> itemBand(int item);

}  // namespace zelk
