#include "config/rate_reference.h"

#include <array>
#include <cstdio>

#include "platform/cp932.h"

namespace zelk {
namespace {

constexpr std::size_t kBands = 8;

struct BandRates {
  int day, night, late;
};
using CarrierRates = std::array<BandRates, kBands>;

// NTT, TTNet and QTNet: the seconds one charge unit lasts, in tenths of a
// second; DDI: the charge for 6 seconds in hundredths of a yen. Unit prices
// are in tenths of a yen (NTT units cost 10 yen). Out of the prefecture there
// is no in-area band.
struct RateTable {
  std::size_t firstBand;
  CarrierRates ntt, ddi, ttnet, qtnet;
  std::array<int, kBands> ttnetPrice, qtnetPrice;
};

constexpr BandRates kNone{0, 0, 0};

constexpr RateTable kInPrefecture{
    0,
    {{{1800, 1800, 2400}, {900, 900, 1200}, {600, 750, 900}, {600, 750, 900},
      {450, 600, 900}, {450, 600, 900}, {450, 600, 900}, {450, 600, 900}}},
    {{{66, 66, 50}, {66, 66, 50}, {101, 91, 68}, {101, 91, 68},
      {134, 101, 68}, {134, 101, 68}, {134, 101, 68}, {134, 101, 68}}},
    {{{1800, 1800, 2250}, {900, 900, 1200}, {900, 900, 900}, {900, 900, 900},
      {600, 600, 900}, {600, 600, 900}, {600, 600, 900}, {600, 600, 900}}},
    {{{1800, 1800, 2250}, {900, 900, 1200}, {900, 900, 1200}, {600, 600, 900},
      {360, 450, 600}, {260, 300, 450}, {260, 300, 450}, {260, 300, 450}}},
    {90, 72, 90, 90, 90, 90, 90, 90},
    {90, 90, 90, 90, 90, 90, 90, 90},
};

constexpr RateTable kOutOfPrefecture{
    1,
    {{kNone, {900, 900, 1200}, {450, 450, 600}, {450, 450, 600},
      {260, 450, 450}, {200, 260, 300}, {200, 260, 300}, {200, 260, 300}}},
    {{kNone, {66, 66, 50}, {110, 110, 90}, {110, 110, 90},
      {180, 120, 90}, {230, 180, 100}, {230, 180, 100}, {230, 180, 100}}},
    {{kNone, {900, 900, 1200}, {900, 900, 900}, {600, 600, 900},
      {360, 450, 600}, {260, 300, 450}, {260, 300, 450}, {260, 300, 360}}},
    {{kNone, {900, 900, 1200}, {900, 900, 1200}, {600, 750, 900},
      {600, 750, 900}, {600, 750, 900}, {600, 750, 900}, {600, 750, 900}}},
    {90, 72, 90, 90, 90, 90, 90, 90},
    {90, 90, 100, 100, 100, 100, 100, 100},
};

// Each exactly 11 bytes in Shift-JIS.
constexpr std::array<std::string_view, kBands> kBandLabels{
    "  区域内   ", "隣接/～20km", "     ～30km", "     ～60km",
    "    ～100km", "    ～160km", "    ～170km", "170km～    ",
};

constexpr std::string_view kBorder =
    ";+-----------+---------------+---------------+---------------++------+";
constexpr std::string_view kHeading1 =
    ";|     時間帯|      昼間     | 夜間・土曜・  |  深夜・早朝   ||zelk用|";
constexpr std::string_view kHeading2 =
    ";|距離区分   |               |    日曜・休日 |               ||フラグ|";

template <typename... Args>
std::string printed(const char* format, Args... args) {
  char buffer[64];
  int length = std::snprintf(buffer, sizeof buffer, format, args...);
  return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string padLeft(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

int unitsIn3Minutes(int unitLength) { return (1800 + unitLength - 1) / unitLength; }

// "%5.1f秒(\%2d0) ": unit length in seconds, 3 minutes in tens of yen.
std::string nttCell(int unitLength) {
  return printed("%5.1f", unitLength / 10.0) + sjis("秒(\\") +
         printed("%2d0) ", unitsIn3Minutes(unitLength));
}

// "%5.2f円(\%3d) ": 6 seconds in yen, 3 minutes in yen.
std::string ddiCell(int hundredths) {
  return printed("%5.2f", hundredths / 100.0) + sjis("円(\\") +
         printed("%3d) ", (hundredths * 30 + 50) / 100);
}

// "%5.1f秒(\%3d) ": unit length in seconds, 3 minutes in yen.
std::string relayCell(int unitLength, int unitPrice) {
  return printed("%5.1f", unitLength / 10.0) + sjis("秒(\\") +
         printed("%3d) ", unitsIn3Minutes(unitLength) * unitPrice / 10);
}

template <typename Cell>
std::string row(const std::string& label, const BandRates& rates, Cell cell, const std::string& flag) {
  return ";|" + padLeft(label, 11) + "| " + cell(rates.day) + "| " + cell(rates.night) + "| " +
         cell(rates.late) + "||" + padLeft(flag, 6) + "|";
}

}  // namespace

std::vector<std::string> rateReferenceLines(RateScope scope) {
  const RateTable& table = scope == RateScope::InPrefecture ? kInPrefecture : kOutOfPrefecture;
  std::vector<std::string> lines{";", std::string(kBorder), sjis(kHeading1), sjis(kHeading2),
                                 std::string(kBorder)};
  for (std::size_t band = table.firstBand; band < kBands; ++band) {
    const std::string flag = printed("  %%%d  ", static_cast<int>(band + 1));
    const int ttnetPrice = table.ttnetPrice[band];
    const int qtnetPrice = table.qtnetPrice[band];
    lines.push_back(row(sjis(kBandLabels[band]), table.ntt[band], nttCell, flag));
    lines.push_back(row("", table.ddi[band], ddiCell, ""));
    lines.push_back(row("", table.ttnet[band], [&](int u) { return relayCell(u, ttnetPrice); }, ""));
    lines.push_back(row("", table.qtnet[band], [&](int u) { return relayCell(u, qtnetPrice); }, ""));
    lines.push_back(std::string(kBorder));
  }
  lines.push_back(";");
  return lines;
}

}  // namespace zelk
