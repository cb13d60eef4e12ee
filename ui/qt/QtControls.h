#pragma once

#include <QObject>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Controls.h"

class QButtonGroup;
class QLabel;
class QWidget;

namespace qv {

// The Qt backend of one form: builds a widget for every row under `root`
// (which takes the form's window row) and acts on them by name.
class QtControls final : public QObject, public Controls {
 public:
  QtControls(const Form& rows, QWidget& root);

  // The widget of `name`, built now if it was put off; nullptr when the form
  // has none.
  [[nodiscard]] QWidget* widget(std::string_view name);

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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    Control row;
    QWidget* widget = nullptr;       // nullptr: not built yet
    QButtonGroup* radios = nullptr;  // radio groups only
    std::string_view page;           // the page the control is on, if any
    // Until the widget exists: its text, its combo-box selection, whether a
    // panel has a caption.
    std::string text;
    int comboIndex = -1;
    bool captioned = false;
  };

  // Whether a control's widget may wait: see QtBuild.cpp.
  static bool keepsStateInRow(Kind kind);
  static bool waitsWhileHidden(const Control& row);
  // A label as wide as its text, at least as wide as its row says.
  static void fitLabel(QLabel* label, const Control& row);

  void realize(Entry& entry);
  void realizePage(std::string_view page);
  [[nodiscard]] bool onWaitingPage(const Entry& entry) const;
  static void keepText(Entry& entry, const std::string& value);
  QWidget* build(const Entry& entry);
  void place(QWidget* widget, const Control& row);
  void connectEvents(Entry& entry);
  // The widget of `name` if it was built; nullptr otherwise.
  [[nodiscard]] QWidget* built(std::string_view name) const;

  QWidget& root_;
  std::map<std::string, Entry, std::less<>> entries_;
  // Pages whose controls wait for the page's first showing, with those
  // controls in row order.
  std::map<std::string, std::vector<std::string_view>, std::less<>> waitingPages_;
  FormEvents* events_ = nullptr;
};

}  // namespace qv
