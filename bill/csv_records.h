// A bill file's text cut into records and fields, as a spreadsheet writes
// CSV: comma or tab separated, quoted fields that may hold the separator,
// doubled quotes and line ends, lines ending in CR LF, LF or CR.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelk {

struct CsvRecord {
  int line = 0;  // the file's line the record begins on, from 1
  std::vector<std::string> fields;
};

// The separator of the file: a tab when the first line that holds anything
// has more tabs than commas outside quotes, a comma otherwise.
char csvSeparatorOf(std::string_view text);

// Every record of `text` (CP932), a blank line as a record of one empty
// field. A quote left open runs to the end of the text.
std::vector<CsvRecord> csvRecords(std::string_view text, char separator);

}  // namespace zelk
