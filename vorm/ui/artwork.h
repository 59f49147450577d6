#pragma once
// Pictures the program draws itself: the author's portrait in the about box (a
// friendly drawing, nobody in particular) and the form icon.
#include <QIcon>
#include <QPainter>
#include <QRectF>

namespace vorm::ui {

void drawPortrait(QPainter& painter, const QRectF& box);
QIcon formIcon();

}  // namespace vorm::ui
