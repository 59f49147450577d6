#pragma once
// Pictures of the program: the author's portrait in the about box (a friendly
// drawing it makes itself, nobody in particular) and the form icon.
#include <QIcon>
#include <QPainter>
#include <QRectF>

namespace vorm::ui {

void drawPortrait(QPainter& painter, const QRectF& box);
QIcon formIcon();

}  // namespace vorm::ui
