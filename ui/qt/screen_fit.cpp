#include "ui/qt/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace zelk {
namespace {

// A title bar and borders, about as large as window managers draw them.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

}  // namespace

QSize availableClientSize(const QWidget& widget) {
  const QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
  if (!screen) return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
  const QSize available = screen->availableGeometry().size();
  return {std::max(available.width() - kFrameWidth, 1), std::max(available.height() - kFrameHeight, 1)};
}

QSize fittedToScreen(const QWidget& widget, const QSize& wanted) {
  return wanted.boundedTo(availableClientSize(widget));
}

void keepOnScreen(QWidget& window, const QPoint& topLeft, const QSize& wanted) {
  const QSize size = fittedToScreen(window, wanted);
  window.resize(size);
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) {
    window.move(topLeft);
    return;
  }
  const QRect room = screen->availableGeometry();
  const int left = std::clamp(topLeft.x(), room.left(), std::max(room.left(), room.right() + 1 - size.width() - kFrameWidth));
  const int top = std::clamp(topLeft.y(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height() - kFrameHeight));
  window.move(left, top);
}

}  // namespace zelk
