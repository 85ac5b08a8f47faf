// Connection names: the logs that record the name of the connection instead
// of the dialled number get their number from the settings' name table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/replace_tables.h"

namespace zelk {

// The number that stands for an unknown connection name until the user sets
// one in zelk.cfg.
inline constexpr std::string_view kUnknownNameNumber = "0999";

// The table key of a name: trailing blanks removed; a name longer than the
// table's 38 bytes keeps its first 38 bytes, cut without splitting a
// double-byte character and with trailing blanks removed again, so every
// call of the same long name meets the same entry.
std::string nameKey(std::string_view name);

// The number for a connection name. An unknown name shows a message with the
// whole name and gets "0999"; while the table has room the name is added with
// that number and `learned` is set, so it is written to zelk.cfg and
// later calls find it without a second message. A name that a "$" line
// cannot hold (one with "==" or ending in "=") is never added: it gets "0999"
// and one message per run.
std::string lookupName(std::string_view name, ReplaceTables& tables, bool& learned);

// True when looking each of `names` up once, in order, would find, learn or
// set aside every one: false when one would meet a full table and be shown
// without being learned, so that each later record of it is shown again.
bool learnsEveryName(const std::vector<std::string_view>& names, const ReplaceTables& tables);

}  // namespace zelk
