#include "ui/qt/qt_text.h"

#include <QFont>
#include <QStringList>
#include <stdexcept>

#include "platform/cp932.h"

namespace zelk {

namespace {

QString fromUtf8(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace

QString qtText(std::string_view cp932) { return fromUtf8(toUtf8(cp932)); }

// The yen sign as the report, the JSON and the CSV write it.
QString qtAmountText(std::string_view cp932) { return fromUtf8(toUtf8WithYen(cp932)); }

namespace {

bool convertPiece(const QString& piece, std::string& out) {
  const QByteArray utf8 = piece.toUtf8();
  try {
    out += toCp932(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    return true;
  } catch (const std::runtime_error&) {
    return false;
  }
}

}  // namespace

std::string cp932Text(const QString& text) {
  std::string out;
  if (convertPiece(text, out)) return out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    if (!convertPiece(text.mid(i, width), out)) out += '?';
    i += width - 1;
  }
  return out;
}

void installFontSubstitutions() {
  const QStringList gothic = {"Noto Sans Mono CJK JP", "Noto Sans CJK JP", "Droid Sans Fallback"};
  const QStringList proportional = {"Noto Sans CJK JP", "Noto Sans Mono CJK JP", "Droid Sans Fallback"};
  const QStringList mincho = {"Noto Serif CJK JP", "Noto Sans CJK JP", "Droid Sans Fallback"};
  QFont::insertSubstitutions(QString::fromUtf8("ＭＳ ゴシック"), gothic);
  QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"), proportional);
  QFont::insertSubstitutions(QString::fromUtf8("ＭＳ 明朝"), mincho);
  QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐ明朝"), mincho);
}

}  // namespace zelk
