#include "bill/csv_records.h"

namespace zelk {

// CP932 trail bytes are 0x40 and above: a quote, separator or line end byte
// is always a character of its own, so the text is cut byte by byte.

char csvSeparatorOf(std::string_view text) {
  int tabs = 0, commas = 0;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n' || c == '\r') {
      if (tabs + commas > 0) break;
      continue;
    }
    tabs += c == '\t';
    commas += c == ',';
  }
  return tabs > commas ? '\t' : ',';
}

std::vector<CsvRecord> csvRecords(std::string_view text, char separator) {
  std::vector<CsvRecord> records;
  int line = 1;
  std::size_t at = 0;
  while (at < text.size()) {
    CsvRecord record{line, {std::string()}};
    bool quoted = false;
    bool ended = false;
    while (at < text.size() && !ended) {
      const char c = text[at++];
      std::string& field = record.fields.back();
      if (quoted) {
        if (c == '"' && at < text.size() && text[at] == '"') {
          field += '"';
          ++at;
        } else if (c == '"') {
          quoted = false;
        } else {
          if (c == '\n' || (c == '\r' && (at == text.size() || text[at] != '\n'))) ++line;
          field += c;
        }
      } else if (c == '"' && field.find_first_not_of(' ') == std::string::npos) {
        field.clear();
        quoted = true;
      } else if (c == separator) {
        record.fields.emplace_back();
      } else if (c == '\r' || c == '\n') {
        if (c == '\r' && at < text.size() && text[at] == '\n') ++at;
        ++line;
        ended = true;
      } else {
        field += c;
      }
    }
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace zelk
