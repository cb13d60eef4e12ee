#include "ui/qt/QtCanvas.h"

#include <QPainter>

#include "ui/qt/QtFonts.h"
#include "ui/qt/QtLook.h"

namespace qv {

namespace {

QPen qpen(const Canvas::Pen& pen) {
  return {qcolour(pen.colour), pen.width, Qt::SolidLine,
          pen.roundCap ? Qt::RoundCap : Qt::SquareCap};
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter) : p_(painter) {
  p_.setRenderHint(QPainter::Antialiasing);
}

void QtCanvas::use(const std::optional<Fill>& fill, const std::optional<Pen>& outline) {
  p_.setBrush(fill ? QBrush(qcolour(fill->colour, fill->alpha)) : QBrush(Qt::NoBrush));
  p_.setPen(outline ? qpen(*outline) : QPen(Qt::NoPen));
}

void QtCanvas::rectangle(const Box& box, double radius, std::optional<Fill> fill,
                         std::optional<Pen> outline) {
  use(fill, outline);
  const QRectF rect(box.x, box.y, box.width, box.height);
  if (radius > 0) {
    p_.drawRoundedRect(rect, radius, radius);
  } else {
    p_.drawRect(rect);
  }
}

void QtCanvas::ellipse(double cx, double cy, double rx, double ry, std::optional<Fill> fill,
                       std::optional<Pen> outline) {
  use(fill, outline);
  p_.drawEllipse(QPointF(cx, cy), rx, ry);
}

void QtCanvas::line(double x1, double y1, double x2, double y2, const Pen& pen) {
  p_.setPen(qpen(pen));
  p_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QtCanvas::text(const Box& box, std::string_view text, Rgb colour, const FontSpec& font) {
  p_.setPen(qcolour(colour));
  p_.setFont(pixelFont(font));
  p_.drawText(QRectF(box.x, box.y, box.width, box.height), Qt::AlignCenter, qs(text));
}

}  // namespace qv
