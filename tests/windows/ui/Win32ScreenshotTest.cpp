// A picture of every page of the Win32 window, as the screen shows it, kept
// as PNG files in QV_SCREENSHOT_DIR (else only checked).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>

#include "tests/windows/ui/PngFile.h"
#include "tests/windows/ui/Win32UiRig.h"

namespace qv::test {
namespace {

// The client area of `window` with every control on it.
Pixels capture(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  Pixels pixels{client.right, client.bottom, {}};
  pixels.bgrx.resize(static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(window);
  HDC copy = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, pixels.width, pixels.height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  std::memcpy(pixels.bgrx.data(), bits, pixels.bgrx.size() * sizeof(uint32_t));
  SelectObject(copy, previous);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(window, screen);
  return pixels;
}

// A point of a control's background, right of its text, in the main
// window's client area.
POINT backgroundOf(HWND control, HWND window) {
  RECT box;
  GetClientRect(control, &box);
  POINT middle{box.right - 4, box.bottom / 2};
  MapWindowPoints(control, window, &middle, 1);
  return middle;
}

uint32_t colourAt(const Pixels& pixels, POINT at) {
  return rgbOf(pixels.at(at.x, at.y));
}

TEST(Win32Screenshots, EveryPageAsTheScreenShowsIt) {
  Win32UiRig rig([](const std::filesystem::path& folder) {
    std::filesystem::copy_file(fixture("default-profile.psv"), folder / "profile.psv");
  });
  const char* keep = std::getenv("QV_SCREENSHOT_DIR");
  const std::filesystem::path folder = keep != nullptr ? keep : rig.folder();
  std::filesystem::create_directories(folder);
  HWND window = rig.window.handle();
  const std::vector<std::string> pages{"TabSheet1", "TabSheet2", "TabSheet3",
                                       "TabSheet5", "Test",      "TabSheet4"};
  std::set<std::vector<uint32_t>> seen;
  for (size_t i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(pages[i]);
    rig.controls().select("PageControl1", static_cast<int>(i));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump(200);
    const Pixels shot = capture(window);
    ASSERT_EQ(shot.width, 787);
    ASSERT_EQ(shot.height, 462);
    writePng(folder / ("page-" + std::to_string(i) + "-" + pages[i] + ".png"), shot);
    EXPECT_TRUE(seen.insert(shot.bgrx).second) << "the same picture as another page";
    // The top panel's own white, and the look's colour around the panels.
    EXPECT_EQ(colourAt(shot, {560, 60}), 0xFFFFFFU);
    EXPECT_EQ(colourAt(shot, {784, 459}), 0x1F3A40U);
    if (pages[i] == "TabSheet1") {
      // A name box in its own light yellow, drawn by the window's colours.
      EXPECT_EQ(colourAt(shot, backgroundOf(rig.control("Edit1"), window)) & 0xFFFFFFU, 0xFFFF80U);
    }
    if (pages[i] == "TabSheet3") {
      EXPECT_EQ(colourAt(shot, backgroundOf(rig.control("Edit3"), window)) & 0xFFFFFFU, 0xFCBCC1U);
    }
  }
}

}  // namespace
}  // namespace qv::test
