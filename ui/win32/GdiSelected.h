#pragma once

#include <windows.h>

namespace qv {

// Selects a GDI object into a device context for the lifetime of the guard,
// then puts the previous one back.
class GdiSelected {
 public:
  GdiSelected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~GdiSelected() { SelectObject(dc_, previous_); }
  GdiSelected(const GdiSelected&) = delete;
  GdiSelected& operator=(const GdiSelected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace qv
