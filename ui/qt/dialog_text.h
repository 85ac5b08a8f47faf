// Texts across the widget boundary: the core holds CP932 bytes, the widgets
// hold QStrings.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

namespace zelk {

// A CP932 text for a widget.
QString fromCp932(const std::string& cp932);

// An amount text for a widget: the byte 0x5C shows as "¥".
QString amountFromCp932(const std::string& cp932);

QStringList fromCp932(const std::vector<std::string>& cp932);

// A widget's text as CP932. A character CP932 cannot hold becomes "?", so
// whatever the user typed never stops a store.
std::string toCp932Text(const QString& text);

// A widget's text as CP932, or none when a character has no CP932 form.
std::optional<std::string> exactCp932(const QString& text);

}  // namespace zelk
