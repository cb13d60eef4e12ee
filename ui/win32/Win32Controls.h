#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/win32/Win32Fonts.h"

namespace qv {

// The Win32 backend of one form: builds a native control for every row
// under `root` (which takes the form's window row) and acts on them by
// name. Every control is subclassed, so notifications reach this object
// whichever control is their parent.
class Win32Controls final : public Controls {
 public:
  Win32Controls(const Form& rows, HWND root);
  ~Win32Controls() override;
  Win32Controls(const Win32Controls&) = delete;
  Win32Controls& operator=(const Win32Controls&) = delete;

  // The window of `name`; nullptr when the form has none. For a radio
  // group, its frame.
  [[nodiscard]] HWND window(std::string_view name) const;
  // The radio buttons of a radio group, in item order.
  [[nodiscard]] std::vector<HWND> radioItems(std::string_view name) const;

  [[nodiscard]] std::string text(std::string_view name) const override;
  void setText(std::string_view name, const std::string& text) override;
  [[nodiscard]] bool visible(std::string_view name) const override;
  void setVisible(std::string_view name, bool visible) override;
  void setEnabled(std::string_view name, bool enabled) override;
  void setColour(std::string_view name, Rgb colour) override;
  void addItem(std::string_view name, const std::string& item) override;
  void clearItems(std::string_view name) override;
  [[nodiscard]] std::vector<std::string> items(std::string_view name) const override;
  [[nodiscard]] int selected(std::string_view name) const override;
  void select(std::string_view name, int index) override;
  [[nodiscard]] bool checked(std::string_view name) const override;
  void setChecked(std::string_view name, bool checked) override;
  void setTabVisible(std::string_view page, bool visible) override;
  void setGridRows(std::string_view name,
                   const std::vector<std::vector<std::string>>& rows) override;
  void setPicture(std::string_view name, int width, int height, Painter painter) override;
  void repaint(std::string_view name) override;
  void create(const Control& row) override;
  void setEvents(FormEvents* events) override { events_ = events; }

  // Runs `event` on the listener, if there is one.
  void tell(const std::function<void(FormEvents&)>& event) const {
    if (events_ != nullptr) {
      event(*events_);
    }
  }

 private:
  struct Picture {
    int width = 0;
    int height = 0;
    Painter painter;
    HBITMAP shown = nullptr;  // drawn at the control's size
  };
  struct Entry {
    Control row;
    HWND hwnd = nullptr;
    FontSpec font;              // the font in use, the parent's when the row has none
    std::optional<Rgb> colour;  // background
    std::vector<HWND> radios;   // radio groups
    std::vector<Entry*> pages;  // page controls, in row order
    bool tabShown = true;       // pages
    int currentPage = -1;       // page controls
    std::unique_ptr<Picture> picture;
  };

  // The one subclass of every control.
  static constexpr UINT_PTR kSubclassId = 1;

  static LRESULT CALLBACK subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  LRESULT handle(Entry& entry, UINT message, WPARAM wParam, LPARAM lParam);

  // The window classes of the controls this backend draws itself.
  static void registerClasses();
  HWND build(Entry& entry, HWND parent);
  void fitLabel(Entry& entry);
  [[nodiscard]] bool overlapsEarlierRow(const Control& row) const;
  void showCaption(const std::string& caption);
  [[nodiscard]] Entry* owner(HWND hwnd);
  [[nodiscard]] Rgb background(const Entry& entry) const;
  [[nodiscard]] Rgb parentBackground(const Entry& entry) const;
  [[nodiscard]] Rgb textColour(const Entry& entry) const;
  HBRUSH brush(Rgb colour);

  // Page controls: which tabs show and which page is in front.
  void rebuildTabs(Entry& pages);
  void showPage(Entry& pages, int index);

  // Painting of the controls this backend draws itself.
  void paintPanel(Entry& entry, HDC dc);
  void paintLabel(Entry& entry, HDC dc);
  void paintGroup(Entry& entry, HDC dc);
  void paintPicture(Entry& entry, HDC dc);
  void drawButton(const DRAWITEMSTRUCT& item);
  void renderPicture(Entry& entry);
  // Copies what pictures below `entry` show into its background.
  void showPicturesBeneath(const Entry& entry, HDC dc);

  // A memo's lines end in CR LF on Windows and in LF in the logic.
  static std::wstring withCrLf(std::string_view text);
  static std::string withoutCr(const std::string& text);

  bool acceptsTyping(const Entry& entry, std::wstring_view typed) const;
  LRESULT colourControl(HWND control, HDC dc);

  HWND root_;
  std::string caption_;   // the form's caption, as the logic set it
  std::string untitled_;  // the root's title while the caption is empty
  Win32Fonts fonts_;
  std::map<std::string, Entry, std::less<>> entries_;
  std::map<HWND, Entry*> byWindow_;
  std::map<uint32_t, HBRUSH> brushes_;
  FormEvents* events_ = nullptr;
  int nextId_ = 1;
};

}  // namespace qv
