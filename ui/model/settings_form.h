// The settings dialog without its toolkit: the state of every control, how
// the records of zelk.cfg fill it (load) and how it goes back into them
// (store). Radio groups are item indices, -1 for no selection; texts are CP932.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/ma_search.h"
#include "config/configuration.h"
#include "ui/model/area_set_list.h"
#include "ui/model/log_list.h"

namespace zelk {

inline constexpr int kReplaceGridRows = 20;
// Rows 1 to 20 of a replacement grid, two cells each.
using ReplaceGrid = std::array<std::array<std::string, 2>, kReplaceGridRows>;

// The Telechoice radio buttons, in order.
inline constexpr int kTelechoiceNone = 0;
inline constexpr int kTelechoice10 = 1;
inline constexpr int kTelechoice15 = 2;
inline constexpr int kTelechoice30 = 3;

// The items of RB_Deadline: 5, 10, 15, 20, 25 and the month end.
inline constexpr int kMonthEndItem = 5;

struct SettingsForm {
  std::string telnum;                   // Edit_Telnum
  int telechoice = kTelechoiceNone;     // RB_NoneTelechoice .. RB_Telechoice30
  std::string telechoiceAreas;          // Edit_Telechoice
  int deadline = kMonthEndItem;         // RB_Deadline
  int zelkFee = 0;                      // RG_ZelkFee
  int isdn = 0;                         // RG_Isdn
  int kdd = 1;                          // RG_Kdd: 0 use KDDI, 1 not
  int last = 0;                         // RG_Last
  std::string lastMonths;               // Edit_Last
  int ttnet = 1;                        // RG_Ttnet: 0 Tokyo, 1 Kyushu, 2 none
  int estimation = 0;                   // RG_Estimation
  int fletsi = 1;                       // RG_Fletsi: 0 yes, 1 no
  std::array<std::string, 2> telehodai;  // Edit_num1, Edit_num2
  ReplaceGrid replaceNo;                // SG_ReplaceNo: logged number, replacement
  ReplaceGrid replaceName;              // SG_ReplaceName: connection name, number
  LogList logs;
  AreaSetList areaSet;
};

// The form as the records give it. Edit_Last keeps its text when no month
// count is set, as the dialog is reused between openings.
void loadSettingsForm(const Configuration& records, SettingsForm& form);

// Why the form cannot be stored (CP932), or none. Only a month count that is
// not a number stops a store.
std::optional<std::string> settingsFormProblem(const SettingsForm& form);

// The month count of Edit_Last: optional blanks around decimal digits, 0 to
// 32767; none for anything else.
std::optional<int> monthCountOf(std::string_view text);

// Puts the form back into the records. When the form has a problem, shows it
// and changes nothing (false). The origin is looked up in the MA data; an
// empty Edit_Telnum keeps the stored one and shows why.
bool storeSettingsForm(const SettingsForm& form, Configuration& records, MaSearch& maSearch);

// The Telehodai list the two edits give: each non-empty number is classified
// against the origin and kept only in its own or an adjacent MA.
TelehodaiNumbers telehodaiFromEdits(const std::array<std::string, 2>& edits, const MaLookup& origin);

// The tables the grids give: rows with both cells filled, closed up.
void numberReplaceFromGrid(const ReplaceGrid& grid, ReplaceTables& tables);
void nameReplaceFromGrid(const ReplaceGrid& grid, ReplaceTables& tables);

}  // namespace zelk
