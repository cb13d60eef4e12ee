#pragma once

#include "ui/Controls.h"

class QPainter;

namespace qv {

// The tiny canvas on a QPainter, antialiased.
class QtCanvas final : public Canvas {
 public:
  explicit QtCanvas(QPainter& painter);

  void rectangle(const Box& box, double radius, std::optional<Fill> fill,
                 std::optional<Pen> outline) override;
  void ellipse(double cx, double cy, double rx, double ry, std::optional<Fill> fill,
               std::optional<Pen> outline) override;
  void line(double x1, double y1, double x2, double y2, const Pen& pen) override;
  void text(const Box& box, std::string_view text, Rgb colour, const FontSpec& font) override;

 private:
  void use(const std::optional<Fill>& fill, const std::optional<Pen>& outline);

  QPainter& p_;
};

}  // namespace qv
