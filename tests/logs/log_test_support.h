// Reading whole logs in tests: a log's bytes go to a scratch file, one slot
// reads it to the end, and every call and message is kept.
#pragma once

#include <string>
#include <vector>

#include "base/log_source.h"
#include "base/replace_tables.h"
#include "logs/log_layout.h"

namespace zelk::test {

struct ReadLog {
  std::vector<CallRecord> calls;
  std::vector<std::string> messages;
  ReplaceTables tables;
  bool namesLearned = false;
};

// Every call of `bytes` read as a log of `format`, with `tables` as the
// name table at the start.
ReadLog readAllCalls(LogFormat format, const std::string& bytes, const ReplaceTables& tables = {});

// Every call of the log file at `path`.
ReadLog readLogFile(LogFormat format, const std::string& path, const ReplaceTables& tables = {});

// True when the CP932 line is a record of the format.
bool isRecord(LogFormat format, std::string line);

// A record line of the format (UTF-8, convert with sj()) whose connection
// name, when it has one, is "NIFTY".
const char* goodRecordLine(LogFormat format);

// A name table with the given { name, number } entries.
ReplaceTables namesTable(const std::vector<std::pair<std::string, std::string>>& entries);

}  // namespace zelk::test
