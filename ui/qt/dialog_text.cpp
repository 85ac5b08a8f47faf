#include "ui/qt/dialog_text.h"

#include <stdexcept>

#include "platform/cp932.h"

namespace zelk {

QString fromCp932(const std::string& cp932) {
  return QString::fromStdString(toUtf8(cp932));
}

QString amountFromCp932(const std::string& cp932) {
  return QString::fromStdString(toUtf8WithYen(cp932));
}

QStringList fromCp932(const std::vector<std::string>& cp932) {
  QStringList texts;
  for (const auto& text : cp932) texts << fromCp932(text);
  return texts;
}

std::optional<std::string> exactCp932(const QString& text) {
  try {
    return toCp932(text.toStdString());
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

std::string toCp932Text(const QString& text) {
  try {
    return toCp932(text.toStdString());
  } catch (const std::runtime_error&) {
  }
  std::string out;
  for (const uint codePoint : text.toUcs4()) {
    const QString one = QString::fromUcs4(reinterpret_cast<const char32_t*>(&codePoint), 1);
    try {
      out += toCp932(one.toStdString());
    } catch (const std::runtime_error&) {
      out += '?';
    }
  }
  return out;
}

}  // namespace zelk
