// The fee and count rows of the main window as data: which row exists for
// which settings, its caption, the result slot it shows and when the month
// display writes it. Texts are CP932.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "run/run_settings.h"
#include "tariff/result_slot.h"

namespace zelk {

inline constexpr std::size_t kMainRowCount = 61;

// What a row shows: a fee in yen ("\%7u", main font) or a usage count in
// 10-yen units ("%7u度数", sub font).
enum class RowKind : std::uint8_t { Fee, Count };

// Conditions on the settings the calculation used. A row needs every bit of
// its mask to hold; 0 always holds.
enum SettingsNeed : std::uint16_t {
  kAnalogLine = 1 << 0,          // `isdn` clear
  kIsdnLine = 1 << 1,            // `isdn` set
  kCarrier = 1 << 2,             // a regional carrier is set
  kKyushu = 1 << 3,              // the regional carrier is Kyushu
  kKddi = 1 << 4,                // `kddi` set
  kOwnMaKnown = 1 << 5,          // the own MA has prefixes (Telewides)
  kAdjacentMas = 1 << 6,         // the own MA has adjacent MAs (Areaplus)
  kTelechoice = 1 << 7,          // any Telechoice kind
  kTelechoice10Or30 = 1 << 8,    // kinds 1 and 3 use the first Telechoice rows
  kTelechoice10Or15 = 1 << 9,   // kinds 1 and 2 use the second
  kFlets = 1 << 10,              // `flets` set
  kDesignatedOwnMa = 1 << 11,    // Telehodai numbers given, none adjacent
  kDesignatedAdjacent = 1 << 12, // Telehodai numbers given, one adjacent
};

bool needsHold(std::uint16_t needs, const RunSettings& settings);

// A hide switch "!XY-": bit Y of byte X of `hiddenFlags`; byte -1 is none.
struct HideSwitch {
  int byte = -1;
  int bit = 0;
  bool isSet(const RunSettings& settings) const { return byte >= 0 && settings.isHidden(byte, bit); }
};

// How the ISDN line changes a caption.
enum class IsdnCaption : std::uint8_t {
  Same,        // one text for both lines
  Own,         // a text of its own
  InsInFront,  // "INS" put in front of the analog text
};

// One row of the main window, in layout order. Captions are UTF-8 with the
// placeholders {C} (the regional carrier's name) and {T} (10 or 30, the
// Telechoice kind of the first Telechoice rows).
struct MainRow {
  int number = 0;                  // 1..61, the layout order
  const char* name = nullptr;      // "NormalFee": panel Panel_NormalFee, label Label_NormalFee
  RowKind kind = RowKind::Fee;
  std::uint16_t shownWhen = 0;     // settings the row needs to be shown
  HideSwitch hide{};               // none unless given
  IsdnCaption isdnCaption = IsdnCaption::Same;
  const char* caption = nullptr;   // analog line (and both lines for Same)
  const char* isdnText = nullptr;  // for Own
  const char* hint = nullptr;      // tool tip, or none
  ResultSlot slot = ResultSlot::NormalFee;  // shown in the value label
  std::uint16_t writtenWhen = 0;   // settings under which the month display writes it
  // Slots of which one must be non-zero for the row to be written; none: no such condition.
  std::array<std::optional<ResultSlot>, 2> guards{};
  bool noCountWhenAllBits = false;  // a value with all bits set means "no count"
};

const std::array<MainRow, kMainRowCount>& mainRows();

// "Panel_" / "Label_" plus the row name.
std::string panelName(const MainRow& row);
std::string labelName(const MainRow& row);

// "東京電話", "九州電話", or empty (CP932).
std::string carrierName(const RunSettings& settings);

// The caption of the row for these settings (CP932).
std::string rowCaption(const MainRow& row, const RunSettings& settings);

// The row is in use: its condition holds and its hide switch is clear.
bool rowInUse(const MainRow& row, const RunSettings& settings);

// The hint text (CP932), or empty.
std::string rowHint(const MainRow& row);

// The value text as the label shows it: "\%7u" for fees, "%7u度数" for counts.
std::string formatRowValue(RowKind kind, std::uint32_t value);

// The panels below the fee area and the call list's header.
inline constexpr HideSwitch kHideCallList{8, 0};       // !80-
inline constexpr HideSwitch kHideCheapestPlan{8, 7};   // !87-
std::string cheapestPlanCaption();                      // "最適プラン"
std::array<std::string, 3> callListHeader();            // "TelNo.", ...

}  // namespace zelk
