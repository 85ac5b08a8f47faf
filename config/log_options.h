// The eleven log declarations of the settings syntax: option letters,
// format code, the file name taken when a path names only a folder, and what
// the settings file writer shows in each format's section.
#pragma once

#include <array>
#include <string_view>

#include "base/log_source.h"

namespace zelk {

struct LogOption {
  std::string_view letters;      // after "-": "a1", "mf", "w"
  LogFormat format;
  std::string_view defaultFile;  // "access.log"
  std::string_view exampleDir;   // the folder the writer's example names
  std::string_view label;        // the program that writes it, or empty
};

// In the order of the settings file's log sections.
inline constexpr std::array<LogOption, 11> kLogOptions{{
    {"a1", LogFormat::A1, "access.log", "ac", "(AirCraft97)"},
    {"a2", LogFormat::A2, "access.log", "ac", "(AirCraft97)"},
    {"c", LogFormat::C, "telfee.tel", "ac", ""},
    {"h", LogFormat::H, "phone.txt", "hide", ""},
    {"k", LogFormat::K, "ktx.log", "ktx", ""},
    {"mf", LogFormat::MF, "connect.dat", "fapx", ""},
    {"nt", LogFormat::NT, "access.log", "nifterm", "(NifTerm)"},
    {"r", LogFormat::R, "log.txt", "rasup", ""},
    {"t", LogFormat::T, "tftel.tel", "tf", ""},
    {"v1", LogFormat::V1, "access.log", "vc", "(VC Term)"},
    {"w", LogFormat::W, "wterm.tel", "wt", ""},
}};

// The declaration whose letters begin `afterDash` (letters in either case;
// a digit must be the digit itself), or nullptr.
const LogOption* matchLogOption(std::string_view afterDash);

}  // namespace zelk
