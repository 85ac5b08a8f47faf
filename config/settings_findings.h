// What the reading of settings lines ignores, cuts or cannot use. The reading
// itself stays silent about these (as a run must); `zelk --check` listens
// through a SettingsObserver to tell the user.
#pragma once

#include <cstdint>

namespace zelk {

enum class SettingsFinding : std::uint8_t {
  UnknownOption,           // an "=" letter, log format or "!" switch the reader does not know
  MeterDayOutOfRange,      // "=d" other than 1-31 or "e"
  LatestMonthsOutOfRange,  // "=l" other than 1-12
  SixthLog,                // five logs are declared already
  TextCut,                 // a path, list or name longer than its field
  LineCut,                 // a line longer than the reader reads
  TableFull,               // the table holds its most entries already
  MissingEquals,           // a table line without its "=" (or "==")
  NoBand,                  // an area-set entry whose band digit means nothing: never used
  OwnNumberEmpty,          // "=0" without a number
  OwnNumberNotFound,       // "=0<number>" that the MA data does not know
  TelehodaiOutsideMa,      // makes the whole Telehodai list invalid
  TelehodaiListInvalid,    // after the list was made invalid: ignored
  Unreadable,              // a character Shift-JIS cannot hold: the line is skipped
  OtherEncoding,           // saved in the other encoding than the file's: read in that one
};

class SettingsObserver {
 public:
  virtual ~SettingsObserver() = default;
  virtual void noted(SettingsFinding finding) = 0;
};

// Tells the observer, if there is one.
inline void note(SettingsObserver* observer, SettingsFinding finding) {
  if (observer) observer->noted(finding);
}

}  // namespace zelk
