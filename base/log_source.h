// The five log slots and the one call each of them holds at a time.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/calendar.h"
#include "base/text.h"

namespace zelk {

// Format codes of the eleven log formats (7 is unused).
enum class LogFormat : std::uint8_t {
  W = 0,    // -w  wterm.tel
  T = 1,    // -t  tftel.tel
  K = 2,    // -k  ktx.log
  C = 3,    // -c  telfee.tel
  MF = 4,   // -mf connect.dat
  NT = 5,   // -nt access.log
  V1 = 6,   // -v1 access.log
  H = 8,    // -h  phone.txt
  R = 9,    // -r  log.txt
  A1 = 10,  // -a1 access.log
  A2 = 11,  // -a2 access.log
};

// The call a slot holds.
struct CallRecord {
  std::string number;     // digits only, at most 12
  std::int32_t duration = 0;  // tenths of a second
  CalendarTime start;
  std::int32_t fee = -1;  // 10-yen units from the log, -1 when it records none
  std::string name;       // the connection name the number came from, "" for a dialled number
};

// A declared log: what the settings say (the snapshot for the writer keeps these).
struct LogDeclaration {
  LogFormat format = LogFormat::W;
  std::string path;  // as declared, default file name appended, at most 127 bytes
};

struct LogSource {
  LogDeclaration declaration;
  CallRecord call;
  LineReader file;
  std::string_view line;  // the last record read, valid until the next read of `file`
};

inline constexpr std::size_t kMaxLogs = 5;
using LogSlots = std::array<LogSource, kMaxLogs>;
using LogDeclarations = std::array<LogDeclaration, kMaxLogs>;

}  // namespace zelk
