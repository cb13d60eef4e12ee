// Every row of the form's tables is a native control with its place, size,
// font and flags; typing and key-down reach the logic as on every backend.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/windows/SendInputInjector.h"
#include "platform/windows/Win32Text.h"
#include "tests/ui/support/KeyCodeCases.h"
#include "tests/windows/ui/Win32UiRig.h"

namespace qv::test {
namespace {

std::wstring classOf(HWND hwnd) {
  std::vector<wchar_t> name(64, L'\0');
  const int length = GetClassNameW(hwnd, name.data(), static_cast<int>(name.size()));
  return {name.data(), static_cast<size_t>(length)};
}

std::wstring classFor(Kind kind) {
  switch (kind) {
    case Kind::Button:
    case Kind::Group:
    case Kind::RadioGroup:
    case Kind::CheckBox:
      return L"Button";
    case Kind::Edit:
    case Kind::Memo:
      return L"Edit";
    case Kind::Combo:
      return L"ComboBox";
    case Kind::Label:
    case Kind::Heading:
      return L"Static";
    case Kind::List:
      return L"ListBox";
    case Kind::Panel:
    case Kind::Page:
      return L"QvPanel";
    case Kind::Picture:
      return L"QvPicture";
    case Kind::Pages:
      return WC_TABCONTROLW;
    case Kind::Grid:
      return WC_LISTVIEWW;
    case Kind::Window:
      break;
  }
  return {};
}

RECT placeInParent(HWND hwnd) {
  RECT box{};
  GetWindowRect(hwnd, &box);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

// The font a row asks for: its own, else its nearest parent's.
FontSpec wantedFont(const Form& form, const Control& row) {
  const Control* at = &row;
  while (at->font.family.empty() && at->kind != Kind::Window) {
    at = at->parent.empty() ? &form.front() : findRow(form, at->parent);
  }
  return at->font;
}

LONG_PTR style(HWND hwnd) {
  return GetWindowLongPtrW(hwnd, GWL_STYLE);
}

void expectRowsAreNativeControls(const Form& form, Win32Controls& controls) {
  for (const Control& row : form) {
    SCOPED_TRACE(std::string(row.name));
    HWND hwnd = controls.window(row.name);
    ASSERT_NE(hwnd, nullptr);
    if (row.kind == Kind::Window) {
      RECT client;
      GetClientRect(hwnd, &client);
      EXPECT_EQ(client.right, row.width);
      EXPECT_EQ(client.bottom, row.height);
      continue;
    }
    EXPECT_EQ(classOf(hwnd), classFor(row.kind));
    const Control* parentRow = row.parent.empty() ? &form.front() : findRow(form, row.parent);
    ASSERT_NE(parentRow, nullptr);
    EXPECT_EQ(GetParent(hwnd), controls.window(parentRow->name));
    const FontSpec wanted = wantedFont(form, row);
    LOGFONTW font{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)),
                         sizeof(font), &font),
              0);
    EXPECT_EQ(narrow(font.lfFaceName), wanted.family);
    EXPECT_EQ(font.lfHeight, -wanted.pixels);
    EXPECT_EQ(font.lfWeight >= FW_BOLD, wanted.bold);
    EXPECT_EQ(font.lfItalic != 0, wanted.italic);
    EXPECT_EQ(font.lfUnderline != 0, wanted.underline);
    EXPECT_EQ((style(hwnd) & WS_DISABLED) != 0, row.has(flag::kDisabled));
    if (row.kind == Kind::Page) {
      continue;  // placed by its page control
    }
    EXPECT_EQ((style(hwnd) & WS_VISIBLE) == 0, row.has(flag::kHidden));
    const RECT box = placeInParent(hwnd);
    EXPECT_EQ(box.left, row.x);
    EXPECT_EQ(box.top, row.y);
    if (row.has(flag::kAutoSize)) {
      EXPECT_GE(box.right - box.left, row.width);
    } else {
      EXPECT_EQ(box.right - box.left, row.width);
      EXPECT_EQ(box.bottom - box.top, row.height);
    }
    if (row.kind == Kind::Edit) {
      EXPECT_EQ(controls.text(row.name), row.text);
      EXPECT_EQ((style(hwnd) & ES_READONLY) != 0, row.has(flag::kReadOnly));
    }
    if (row.kind == Kind::Combo) {
      EXPECT_EQ(controls.items(row.name).size(), row.items.size());
      EXPECT_EQ(controls.text(row.name), row.text);
      EXPECT_EQ((style(hwnd) & 3) == CBS_DROPDOWN, row.has(flag::kEditable));
    }
    if (row.kind == Kind::RadioGroup) {
      EXPECT_EQ(controls.radioItems(row.name).size(), row.items.size());
    }
  }
}

TEST(Win32Window, EveryRowOfTheMainWindowIsANativeControlAtItsPlace) {
  Win32UiRig rig;
  expectRowsAreNativeControls(mainWindowForm(), rig.controls());
  // The debug page's tab is hidden; the window opens on "Info".
  HWND pages = rig.control("PageControl1");
  EXPECT_EQ(TabCtrl_GetItemCount(pages), 6);
  EXPECT_EQ(TabCtrl_GetCurSel(pages), 5);
  EXPECT_TRUE(IsWindowVisible(rig.control("TabSheet4")));
  EXPECT_FALSE(IsWindowVisible(rig.control("TabSheet1")));
  // The byte editors made at the first activation lie on the console beside
  // drEdit1 (row 1, column 1 here), hidden; the last of them exists unplaced.
  HWND editor = rig.control("Edits17");
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(GetParent(editor), rig.control("Panel7"));
  const RECT box = placeInParent(editor);
  EXPECT_EQ(box.left, 311 + 265 + 2);
  EXPECT_EQ(box.top, 260 + 23 + 2);
  EXPECT_FALSE(IsWindowVisible(editor));
  EXPECT_NE(rig.control("Edits1023"), nullptr);
}

TEST(Win32Window, TheInformationDialogIsAModalFormOfNativeControls) {
  Win32UiRig rig;
  bool filled = false;
  RECT shown{};
  rig.toolkit.showModal(infoDialogForm(), [&](Controls& form) {
    expectRowsAreNativeControls(infoDialogForm(), dynamic_cast<Win32Controls&>(form));
    form.setText("Vid", "06A3 = 1699");
    EXPECT_EQ(form.text("Vid"), "06A3 = 1699");
    filled = true;
    // Seen and closed as the user would, once its loop runs.
    const HWND dialog = GetParent(dynamic_cast<Win32Controls&>(form).window("DevStrings"));
    rig.loop.post([dialog, &shown] {
      GetWindowRect(dialog, &shown);
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
  });
  EXPECT_TRUE(filled);
  EXPECT_TRUE(IsWindowEnabled(rig.window.handle()));
  // The window stands centred on the screen, the dialog over the window: each
  // within the pixels that halving odd sizes, once or twice, rounds away.
  RECT screen{};
  RECT window{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
  GetWindowRect(rig.window.handle(), &window);
  for (const RECT& box : {window, shown}) {
    EXPECT_NEAR(box.left + box.right, screen.left + screen.right, 2);
    EXPECT_NEAR(box.top + box.bottom, screen.top + screen.bottom, 2);
  }
}

TEST(Win32Window, DigitBoxesJudgeOnlyTypingAndKeysShowTheirCode) {
  Win32UiRig rig;
  HWND code = rig.control("Edit4");
  SendMessageW(code, EM_SETSEL, 1, 1);
  SendMessageW(code, WM_CHAR, L'a', 0);
  SendMessageW(code, WM_CHAR, L'7', 0);
  EXPECT_EQ(rig.controls().text("Edit4"), "07");
  // The presses box takes two characters from the keyboard ...
  HWND presses = rig.control("Edit5");
  SendMessageW(presses, EM_SETSEL, 1, 1);
  SendMessageW(presses, WM_CHAR, L'2', 0);
  SendMessageW(presses, WM_CHAR, L'3', 0);
  EXPECT_EQ(rig.controls().text("Edit5"), "12");
  // ... but a longer text from a profile is kept whole.
  rig.controls().setText("Edit5", "123");
  EXPECT_EQ(rig.controls().text("Edit5"), "123");

  SendMessageW(rig.control("TxtKeyRead"), WM_KEYDOWN, VK_F5, 0);
  EXPECT_EQ(rig.controls().text("TxtKeyCode"), "116");

  rig.controls().setText("ComboBox10", "c control");
  // Kept as typed: the items match only with the same case.
  EXPECT_EQ(rig.controls().text("ComboBox10"), "c control");
  rig.controls().setText("ComboBox10", "C Control");
  EXPECT_EQ(rig.controls().selected("ComboBox10"), 1);
}

TEST(Win32Window, ARealKeyInTheKeyCodeBoxShowsItsOwnVirtualKeyCode) {
  Win32UiRig rig;
  SetForegroundWindow(rig.window.handle());
  SetFocus(rig.control("TxtKeyRead"));
  const std::vector<KeyEvent> f5{{VK_F5, false}, {VK_F5, true}};
  makeSendInputInjector()->inject(f5);
  EXPECT_TRUE(pumpUntil([&rig] { return rig.controls().text("TxtKeyCode") == "116"; }))
      << rig.controls().text("TxtKeyCode");
}

// Keys held down in order and let go in reverse: each key's down and up go
// into the middle of what is pressed so far.
void press(const std::vector<uint16_t>& keys) {
  std::vector<KeyEvent> events;
  for (const uint16_t key : keys) {
    events.insert(events.end() - static_cast<ptrdiff_t>(events.size() / 2),
                  {{key, false}, {key, true}});
  }
  for (const KeyEvent& event : events) {
    makeSendInputInjector()->inject({&event, 1});
  }
}

TEST(Win32Window, TheKeyCodeBoxShowsTheKeysOfTheSharedTable) {
  Win32UiRig rig;
  SetForegroundWindow(rig.window.handle());
  SetFocus(rig.control("TxtKeyRead"));
  for (const KeyCodeCase& keys : keyCodeCases()) {
    press(keys.pressed);
    const std::string shown = std::to_string(keys.shown);
    EXPECT_TRUE(pumpUntil([&] { return rig.controls().text("TxtKeyCode") == shown; }, 2000,
                          rig.window.handle()))
        << keys.keys << " shows " << rig.controls().text("TxtKeyCode");
  }
}

TEST(Win32Window, TabAndShiftTabMoveBetweenControlsAndEscClosesTheInformationDialog) {
  Win32UiRig rig;
  SetForegroundWindow(rig.window.handle());
  const auto tabFrom = [&rig](std::string_view from, std::vector<uint16_t> keys) {
    SetFocus(rig.control(from));
    press(keys);
    pumpUntil([&] { return GetFocus() != rig.control(from); }, 2000, rig.window.handle());
    return GetFocus();
  };
  EXPECT_EQ(tabFrom("Button4", {VK_TAB}), rig.control("Button5"));
  EXPECT_EQ(tabFrom("Button5", {VK_SHIFT, VK_TAB}), rig.control("Button4"));
  rig.controls().select("PageControl1", 0);
  EXPECT_EQ(tabFrom("Edit4", {VK_TAB}), rig.control("Edit5"));

  bool escClosed = true;
  std::jthread user;
  rig.toolkit.showModal(infoDialogForm(), [&](Controls& form) {
    const HWND dialog = GetParent(dynamic_cast<Win32Controls&>(form).window("DevStrings"));
    rig.loop.post([] { press({VK_ESCAPE}); });
    // Should Esc not close it, it is closed by hand and the test fails.
    user = std::jthread([dialog, &escClosed] {
      Sleep(5000);
      escClosed = IsWindowVisible(dialog) == FALSE;
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
  });
  user.join();
  EXPECT_TRUE(escClosed);
}

}  // namespace
}  // namespace qv::test
