#include "log_test_support.h"

#include <memory>
#include <stdexcept>

#include "logs/log_reader.h"
#include "logs/record_engine.h"
#include "platform/messages.h"
#include "support/test_support.h"

namespace zelk::test {

ReadLog readLogFile(LogFormat format, const std::string& path, const ReplaceTables& tables) {
  ReadLog result;
  result.tables = tables;
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  auto slots = std::make_unique<LogSlots>();
  (*slots)[0].declaration = {format, path};
  int open = openLogs(*slots, 1, "");
  while (readNextCall(0, *slots, open, result.tables, result.namesLearned) == 0) {
    result.calls.push_back((*slots)[0].call);
    if (result.calls.size() > 100000) throw std::runtime_error("the log never ends");
  }
  result.messages = sink.messages;
  return result;
}

ReadLog readAllCalls(LogFormat format, const std::string& bytes, const ReplaceTables& tables) {
  ScratchDir dir;
  return readLogFile(format, dir.write("log", bytes), tables);
}

bool isRecord(LogFormat format, std::string line) { return isRecordLine(*layoutOf(format), line); }

const char* goodRecordLine(LogFormat format) {
  switch (format) {
    case LogFormat::A1:
    case LogFormat::A2:
      return "00/04/05 09:15:30 (  1:02:03)       IN    9600bps          V.34 ok P03-3456-7890";
    case LogFormat::NT:
      return "2000/04/05\t23:59\t03-3456-7890\t180\tNIFTY";
    case LogFormat::V1:
      return "NIFTY                 99-12-31 23:58:10  00-01-01 00:01:10  00:03:00";
    case LogFormat::C:
      return "2000/04/05 09:15:30 00:03:00   120  : NIFTY   ";
    case LogFormat::T:
      return "2000-04-01 00:01:00 00:03:00    30 円 東京 [0,03-3456-7890]";
    case LogFormat::W:
      return "2000-04-05  09:15:30  [00:03:00]    100 円  [03-3456-7890] NIFTY";
    case LogFormat::H:
      return "NIFTY                         2000.04.05(水) 23:59:30～00:00:30";
    case LogFormat::K:
      return "00/04/05(水) 09:15:30 00:03:00     1200円 TEL [03-3456-7890]";
    case LogFormat::MF:
      return "tel no=03-3456-7890;C: 12345 2000/04/05 00:02:00 123456 00:05:00     123456789;";
    case LogFormat::R:
      return "2000/10/01,12:00:00,00:05:00,a,b,NIFTY";
  }
  throw std::invalid_argument("no such format");
}

ReplaceTables namesTable(const std::vector<std::pair<std::string, std::string>>& entries) {
  ReplaceTables tables;
  for (const auto& [name, number] : entries)
    tables.nameReplace[tables.nameReplaceCount++] = {number, name};
  return tables;
}

}  // namespace zelk::test
