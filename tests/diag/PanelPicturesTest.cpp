#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "diag/PanelPictures.h"
#include "diag/Shading.h"
#include "ui/Controls.h"
#include "ui/Logo.h"

namespace qv {
namespace {

// Keeps the box every shape covers, outline included.
class BoundsCanvas final : public Canvas {
 public:
  void rectangle(const Box& box, double, std::optional<Fill>, std::optional<Pen> outline) override {
    add(box.x, box.y, box.x + box.width, box.y + box.height, outline ? outline->width : 0);
  }
  void ellipse(double cx, double cy, double rx, double ry, std::optional<Fill>,
               std::optional<Pen> outline) override {
    add(cx - rx, cy - ry, cx + rx, cy + ry, outline ? outline->width : 0);
  }
  void line(double x1, double y1, double x2, double y2, const Pen& pen) override {
    add(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), pen.width);
  }
  // Text is centred in its box, which may be wider than the text: its middle counts.
  void text(const Box& box, std::string_view, Rgb, const FontSpec&) override {
    const double x = box.x + box.width / 2;
    const double y = box.y + box.height / 2;
    add(x, y, x, y, 0);
  }

  // The shapes that reach outside width x height; half a pixel of pen is the
  // antialiased edge.
  [[nodiscard]] std::vector<std::string> outside(int width, int height) const {
    std::vector<std::string> out;
    for (const auto& [left, top, right, bottom] : shapes) {
      constexpr double kEdge = 0.5;
      if (left < -kEdge || top < -kEdge || right > width + kEdge || bottom > height + kEdge) {
        out.push_back(std::to_string(left) + "," + std::to_string(top) + " - " +
                      std::to_string(right) + "," + std::to_string(bottom));
      }
    }
    return out;
  }

  std::vector<std::array<double, 4>> shapes;

 private:
  void add(double left, double top, double right, double bottom, double penWidth) {
    const double half = penWidth / 2;
    shapes.push_back({left - half, top - half, right + half, bottom + half});
  }
};

TEST(PanelPicturesTest, EveryPictureStaysWithinItsSize) {
  struct Picture {
    void (*draw)(Canvas&);
    int width;
    int height;
  };
  for (const Picture& picture :
       {Picture{drawSwitchPanelPicture, kSwitchPanelPictureWidth, kSwitchPanelPictureHeight},
        Picture{drawGearUpPicture, kGearUpPictureWidth, kGearUpPictureHeight},
        Picture{drawLogo, kLogoWidth, kLogoHeight}}) {
    BoundsCanvas canvas;
    picture.draw(canvas);
    EXPECT_GT(canvas.shapes.size(), 10U);
    EXPECT_EQ(canvas.outside(picture.width, picture.height), std::vector<std::string>{})
        << picture.width << " x " << picture.height;
  }
}

TEST(PanelPicturesTest, AShadedPlateKeepsItsRoundedCornersFree) {
  BoundsCanvas canvas;
  verticalGradient(canvas, {0, 0, 40, 20}, 8, {0, 0, 0}, {255, 255, 255});
  ASSERT_EQ(canvas.shapes.size(), 20U);
  // The top line starts well inside the corner, the middle ones at the edge.
  EXPECT_GT(canvas.shapes.front()[0], 4);
  EXPECT_LT(canvas.shapes.front()[2], 36);
  EXPECT_EQ(canvas.shapes[10][0], 0);
  EXPECT_EQ(canvas.shapes[10][2], 40);
  EXPECT_GT(canvas.shapes.back()[0], 4);
}

}  // namespace
}  // namespace qv
