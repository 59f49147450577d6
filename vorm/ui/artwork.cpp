#include "ui/artwork.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPixmap>

namespace vorm::ui {

void drawPortrait(QPainter& p, const QRectF& box) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setClipRect(box);
  // Drawn on a 100 x 130 canvas, scaled to the box.
  p.translate(box.topLeft());
  p.scale(box.width() / 100.0, box.height() / 130.0);

  QLinearGradient sky(0, 0, 0, 130);
  sky.setColorAt(0, QColor(0xBF, 0xE3, 0xFF));
  sky.setColorAt(1, QColor(0xFF, 0xF4, 0xD6));
  p.fillRect(QRectF(0, 0, 100, 130), sky);

  const QColor skin(0xF4, 0xC8, 0x9E);
  const QColor skinShade(0xE0, 0xA8, 0x80);
  const QColor hair(0x6B, 0x44, 0x23);
  const QColor ink(0x3A, 0x2A, 0x20);

  // Sweater with a collar.
  p.setPen(QPen(QColor(0x3F, 0x5E, 0x2A), 1.2));
  p.setBrush(QColor(0x5C, 0x80, 0x3C));
  QPainterPath body;
  body.moveTo(6, 130);
  body.cubicTo(8, 104, 24, 96, 50, 96);
  body.cubicTo(76, 96, 92, 104, 94, 130);
  body.closeSubpath();
  p.drawPath(body);
  p.setBrush(QColor(0xF7, 0xF2, 0xE6));
  QPainterPath collar;
  collar.moveTo(38, 97);
  collar.lineTo(50, 112);
  collar.lineTo(62, 97);
  collar.closeSubpath();
  p.drawPath(collar);

  // Neck and ears.
  p.setPen(QPen(skinShade, 1));
  p.setBrush(skin);
  p.drawRect(QRectF(42, 82, 16, 17));
  p.drawEllipse(QRectF(19, 50, 10, 16));
  p.drawEllipse(QRectF(71, 50, 10, 16));

  // Head.
  p.setPen(QPen(skinShade, 1.2));
  p.drawEllipse(QRectF(25, 22, 50, 66));

  // Hair: a tousled cap of curls over the forehead.
  p.setPen(Qt::NoPen);
  p.setBrush(hair);
  QPainterPath top;
  top.moveTo(24, 52);
  top.cubicTo(20, 24, 34, 12, 52, 13);
  top.cubicTo(70, 13, 82, 26, 76, 52);
  top.cubicTo(72, 40, 66, 34, 58, 33);
  top.cubicTo(50, 38, 40, 36, 34, 32);
  top.cubicTo(30, 38, 27, 44, 24, 52);
  p.drawPath(top);
  for (int i = 0; i < 5; ++i) p.drawEllipse(QRectF(28 + i * 9, 11 + (i % 2) * 2, 12, 10));

  // Eyebrows, raised in good humour.
  p.setPen(QPen(hair, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(32, 40, 14, 8), 30 * 16, 120 * 16);
  p.drawArc(QRectF(54, 40, 14, 8), 30 * 16, 120 * 16);

  // Eyes behind round glasses.
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(35, 48, 10, 8));
  p.drawEllipse(QRectF(55, 48, 10, 8));
  p.setBrush(ink);
  p.drawEllipse(QRectF(39, 49.5, 4.5, 5));
  p.drawEllipse(QRectF(59, 49.5, 4.5, 5));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(40.8, 50.3, 1.4, 1.4));
  p.drawEllipse(QRectF(60.8, 50.3, 1.4, 1.4));
  p.setPen(QPen(QColor(0x30, 0x30, 0x38), 1.6));
  p.setBrush(QColor(255, 255, 255, 40));
  p.drawEllipse(QRectF(31, 44, 17, 16));
  p.drawEllipse(QRectF(52, 44, 17, 16));
  p.drawLine(QPointF(48, 51), QPointF(52, 51));
  p.drawLine(QPointF(31, 50), QPointF(26, 48));
  p.drawLine(QPointF(69, 50), QPointF(74, 48));

  // Rosy cheeks and the round nose the tooltip warns about.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xF2, 0x8C, 0x8C, 90));
  p.drawEllipse(QRectF(30, 62, 11, 7));
  p.drawEllipse(QRectF(59, 62, 11, 7));
  p.setPen(QPen(skinShade, 1));
  p.setBrush(QColor(0xF0, 0xA8, 0x8A));
  p.drawEllipse(QRectF(45, 56, 10, 10));

  // Moustache and a broad smile.
  p.setPen(Qt::NoPen);
  p.setBrush(hair);
  QPainterPath moustache;
  moustache.moveTo(50, 68);
  moustache.cubicTo(44, 64, 36, 66, 35, 72);
  moustache.cubicTo(40, 70, 45, 71, 50, 70);
  moustache.cubicTo(55, 71, 60, 70, 65, 72);
  moustache.cubicTo(64, 66, 56, 64, 50, 68);
  p.drawPath(moustache);
  p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(40, 66, 20, 12), 200 * 16, 140 * 16);

  p.restore();
}

QIcon formIcon() {
  // The program's own icon (the two key caps and their arrows), from the
  // desktop's icon theme or, where the program is not installed, from the
  // copy built into it.
  return QIcon::fromTheme(QStringLiteral("org.typingtrainers.Vorm"));
}

}  // namespace vorm::ui
