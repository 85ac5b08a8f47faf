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

}  // namespace zelk
