#include "ui/qt/display_font.h"

#include <QFontInfo>
#include <cmath>

#include "ui/qt/qt_text.h"

namespace zelk {

QFont toQFont(const FontSpec& fontSpec) {
  QFont font(qtText(fontSpec.name));
  if (fontSpec.size > 0) font.setPointSize(fontSpec.size);
  font.setBold(fontSpec.has(kFontBold));
  font.setItalic(fontSpec.has(kFontItalic));
  font.setUnderline(fontSpec.has(kFontUnderline));
  font.setStrikeOut(fontSpec.has(kFontStrikeOut));
  return font;
}

QFont displayedQFont(const FontSpec& fontSpec) {
  QFont font = toQFont(fontSpec);
  font.setFamily(QFontInfo(font).family());
  return font;
}

QColor toQColor(std::int32_t colour, const QPalette& palette) {
  if (colour < 0) return palette.color(QPalette::WindowText);
  const auto bgr = static_cast<std::uint32_t>(colour);
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

std::int32_t fromQColor(const QColor& colour) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(colour.red()) |
                                   (static_cast<std::uint32_t>(colour.green()) << 8) |
                                   (static_cast<std::uint32_t>(colour.blue()) << 16));
}

void storeQFont(const QFont& font, FontSpec& fontSpec) {
  if (font.family() != displayedQFont(fontSpec).family()) fontSpec.name = cp932Text(font.family());
  if (font.pointSize() > 0) {
    fontSpec.size = font.pointSize();
  } else if (font.pointSizeF() > 0) {
    fontSpec.size = static_cast<int>(std::lround(font.pointSizeF()));
  }
  fontSpec.style = static_cast<std::uint8_t>((font.bold() ? kFontBold : 0) | (font.italic() ? kFontItalic : 0) |
                                         (font.underline() ? kFontUnderline : 0) |
                                         (font.strikeOut() ? kFontStrikeOut : 0));
}

}  // namespace zelk
