// What the dialogs' edits may hold: each field of zelk.cfg has a size, and a
// text that does not fit is refused with a message instead of being cut (a
// cut path names another file, a cut area list ends inside an area code).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelk {

struct FieldLimit {
  std::size_t limit = 0;
  bool digits = false;         // the field keeps only the digits: count those
  bool noDoubleEquals = false;  // "==" separates a connection name from its number
};

// A log file name and the Telechoice line ("=15" and the area codes) hold
// 127 bytes; the dialog's area edit gets what the two-digit prefix leaves.
inline constexpr FieldLimit kLogPathField{127};
inline constexpr FieldLimit kTelechoiceAreasField{125};
inline constexpr FieldLimit kConnectionNameField{38, false, true};
inline constexpr FieldLimit kNumberField{12, true};
inline constexpr FieldLimit kTelehodaiNumberField{11, true};

// True when `text` (CP932) fits the field.
bool fitsField(std::string_view cp932, const FieldLimit& field);

// Why `text` cannot be stored in the field called `label` (both CP932), or
// none. `convertible` is false when the typed text has characters CP932
// cannot hold.
std::optional<std::string> fieldProblem(std::string_view label, std::string_view cp932, bool convertible,
                                        const FieldLimit& field);

}  // namespace zelk
