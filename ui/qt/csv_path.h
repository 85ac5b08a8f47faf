// Where a CSV save goes: a save dialog that suggests a name and adds ".csv"
// when the user types a name without a suffix; and the save itself.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace zelk {

// `path` with ".csv" added when it has no suffix of its own; "" stays "".
QString withCsvSuffix(const QString& path);

// Asks with a save dialog that starts on `suggestedName`; "" when cancelled.
QString chooseCsvPath(QWidget* parent, const QString& suggestedName);

// Replaces the file at `path` with `csv`, staged: a full disk leaves no half
// file, and a link at the name is replaced, never written through. A failure
// is shown as an error message; false then.
bool writeCsvFile(const QString& path, const std::string& csv);

}  // namespace zelk
