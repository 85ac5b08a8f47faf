// Where a CSV save goes: a save dialog that suggests a name and adds ".csv"
// when the user types a name without a suffix.
#pragma once

#include <QString>

class QWidget;

namespace zelk {

// `path` with ".csv" added when it has no suffix of its own; "" stays "".
QString withCsvSuffix(const QString& path);

// Asks with a save dialog that starts on `suggestedName`; "" when cancelled.
QString chooseCsvPath(QWidget* parent, const QString& suggestedName);

}  // namespace zelk
