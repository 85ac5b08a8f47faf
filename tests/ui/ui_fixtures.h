// Settings and months for the main-window tests.
#pragma once

#include <string>
#include <vector>

#include "run/run_settings.h"
#include "tariff/month_result.h"

namespace zelk::test {

enum class Line { Analog, Isdn };
enum class Carrier { None = 0, Tokyo = 1, Kyushu = 2 };
enum class Choice { None = 0, Ten = 1, Fifteen = 2, Thirty = 3 };

struct SettingsCase {
  Line line = Line::Analog;
  Carrier carrier = Carrier::None;
  Choice telechoice = Choice::None;
  bool kddi = false;
  bool ownMa = false;     // the own MA is known
  bool adjacent = false;  // it has adjacent MAs
  bool flets = false;
  int telehodaiCount = 0;
  bool telehodaiAdjacent = false;
  std::vector<const char*> hidden;  // "02", "b0", ...
};

inline RunSettings makeSettings(const SettingsCase& c) {
  RunSettings s;
  s.isdn = c.line == Line::Isdn;
  s.regionalCarrier = static_cast<RegionalCarrier>(c.carrier);
  s.telechoiceKind = static_cast<TelechoiceKind>(c.telechoice);
  s.kddi = c.kddi;
  s.flets = c.flets;
  if (c.ownMa) {
    s.origin.name = "MA";
    s.origin.prefixes = {"3"};
  }
  if (c.adjacent) s.origin.adjacentPrefixes = {"42", "44"};
  s.telehodai.count = static_cast<std::uint8_t>(c.telehodaiCount);
  s.telehodai.adjacent = c.telehodaiAdjacent;
  for (const char* code : c.hidden) {
    int byte = code[0] >= 'a' ? code[0] - 'a' + 10 : code[0] - '0';
    s.hiddenFlags[static_cast<std::size_t>(byte)] |= static_cast<std::uint8_t>(1 << (code[1] - '0'));
  }
  return s;
}

// Every slot set to base + slot number, so each value tells its slot.
inline MonthResult monthWithSlots(std::uint32_t base, const std::string& title) {
  MonthResult m;
  for (std::size_t i = 0; i < m.amounts.values.size(); ++i)
    m.amounts.values[i] = base + static_cast<std::uint32_t>(i);
  m.title = title;
  return m;
}

// What monthWithSlots(base, …) holds in `slot`.
inline std::uint32_t valueWithSlots(std::uint32_t base, ResultSlot slot) {
  return base + static_cast<std::uint32_t>(slotNumber(slot));
}

}  // namespace zelk::test
