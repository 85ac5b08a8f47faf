// Window sizes bounded by the screen a window opens on, with room left for
// the window manager's frame, so that a default or remembered size never
// puts a window's buttons off the screen.
#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace zelk {

// The room a window's client area can have on the screen `widget` is on
// (the primary screen before it is shown).
QSize availableClientSize(const QWidget& widget);

// `wanted` made no larger than availableClientSize.
QSize fittedToScreen(const QWidget& widget, const QSize& wanted);

// Gives `window` the size `wanted` and the place `topLeft`, both made to fit
// the screen: smaller when larger than the screen, moved back when it would
// reach past the screen's right or bottom edge.
void keepOnScreen(QWidget& window, const QPoint& topLeft, const QSize& wanted);

}  // namespace zelk
