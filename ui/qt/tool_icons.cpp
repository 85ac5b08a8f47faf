#include "ui/qt/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace zelk {
namespace {

constexpr int kSize = 32;

void drawArrow(QPainter& p, bool pointsLeft) {
  QPolygonF head;
  if (pointsLeft) {
    head << QPointF(4, 16) << QPointF(16, 5) << QPointF(16, 11) << QPointF(28, 11) << QPointF(28, 21)
         << QPointF(16, 21) << QPointF(16, 27);
  } else {
    head << QPointF(28, 16) << QPointF(16, 5) << QPointF(16, 11) << QPointF(4, 11) << QPointF(4, 21)
         << QPointF(16, 21) << QPointF(16, 27);
  }
  p.setPen(QPen(QColor(20, 60, 140), 1.5));
  p.setBrush(QColor(70, 130, 220));
  p.drawPolygon(head);
}

// A calendar page with a rising line: the month carried on to its end.
void drawEstimate(QPainter& p) {
  p.setPen(QPen(QColor(90, 90, 90), 1.5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4, 5, 24, 23));
  p.setBrush(QColor(200, 60, 60));
  p.drawRect(QRectF(4, 5, 24, 6));
  p.setPen(QPen(QColor(30, 130, 60), 2.5));
  QPainterPath line;
  line.moveTo(7, 25);
  line.lineTo(13, 20);
  line.lineTo(18, 22);
  line.lineTo(25, 14);
  p.setBrush(Qt::NoBrush);
  p.drawPath(line);
}

void drawHelp(QPainter& p) {
  p.setPen(QPen(QColor(20, 90, 40), 1.5));
  p.setBrush(QColor(80, 170, 90));
  p.drawEllipse(QRectF(3, 3, 26, 26));
  QFont font;
  font.setPixelSize(20);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
}

// Bars of a year: the months side by side.
void drawYear(QPainter& p) {
  p.setPen(QPen(QColor(90, 90, 90), 1.5));
  p.drawLine(QPointF(4, 28), QPointF(28, 28));
  p.setPen(Qt::NoPen);
  const double heights[] = {10, 16, 8, 20, 13};
  for (int i = 0; i < 5; ++i) {
    p.setBrush(i == 3 ? QColor(200, 60, 60) : QColor(70, 130, 220));
    p.drawRect(QRectF(5 + i * 4.6, 27 - heights[i], 3.6, heights[i]));
  }
}

// packaging/zelk.svg, in its 128 x 128 coordinates.
void drawApplicationIcon(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1f, 0x71, 0x91));
  p.drawRoundedRect(QRectF(6, 6, 116, 116), 24, 24);
  // The handset: a quarter ring about (88, 40), earpiece and mouthpiece.
  p.setBrush(Qt::white);
  QPainterPath handle;
  handle.moveTo(21, 40);
  handle.arcTo(QRectF(21, -27, 134, 134), 180, 90);
  handle.lineTo(88, 91);
  handle.arcTo(QRectF(37, -11, 102, 102), 270, -90);
  handle.closeSubpath();
  p.drawPath(handle);
  p.drawRoundedRect(QRectF(14, 18, 32, 38), 11, 11);
  p.drawRoundedRect(QRectF(70, 82, 38, 32), 11, 11);
  // The yen sign.
  QPen yen(QColor(0xff, 0xd3, 0x4d), 7);
  yen.setCapStyle(Qt::RoundCap);
  yen.setJoinStyle(Qt::RoundJoin);
  p.setPen(yen);
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({QPointF(68, 17), QPointF(86, 41), QPointF(104, 17)}));
  p.drawLine(QPointF(86, 41), QPointF(86, 69));
  p.drawLine(QPointF(73, 47), QPointF(99, 47));
  p.drawLine(QPointF(73, 58), QPointF(99, 58));
}

}  // namespace

QIcon applicationIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);
    drawApplicationIcon(p);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QIcon toolIcon(ToolIcon kind) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (kind) {
    case ToolIcon::PreviousMonth: drawArrow(p, true); break;
    case ToolIcon::NextMonth: drawArrow(p, false); break;
    case ToolIcon::Estimate: drawEstimate(p); break;
    case ToolIcon::Help: drawHelp(p); break;
    case ToolIcon::Year: drawYear(p); break;
  }
  p.end();
  return QIcon(pixmap);
}

}  // namespace zelk
