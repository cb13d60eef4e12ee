#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "ui/qt/QtControls.h"
#include "ui/qt/QtPicture.h"
#include "ui/qt/QtVirtualKeys.h"

namespace qv {

void QtControls::connectEvents(Entry& entry) {
  const std::string_view name = entry.row.name;
  const auto clicked = [this, name] {
    if (events_ != nullptr) {
      events_->clicked(name);
    }
  };
  if (auto* button = qobject_cast<QPushButton*>(entry.widget)) {
    connect(button, &QPushButton::clicked, this, clicked);
  } else if (auto* list = qobject_cast<QListWidget*>(entry.widget)) {
    connect(list, &QListWidget::itemClicked, this, clicked);
  } else if (auto* picture = dynamic_cast<QtPicture*>(entry.widget)) {
    picture->setClickHandler(clicked);
  } else if (auto* pages = qobject_cast<QTabWidget*>(entry.widget)) {
    connect(pages, &QTabWidget::currentChanged, this, [this, name] {
      if (events_ != nullptr) {
        events_->pageChanged(name);
      }
    });
  }
}

bool QtControls::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    realizePage(watched->objectName().toStdString());
  }
  if (event->type() == QEvent::KeyPress && events_ != nullptr) {
    const auto* key = static_cast<QKeyEvent*>(event);
    events_->keyDown(watched->objectName().toStdString(),
                     virtualKeyForQtKey(key->key(), key->modifiers()));
  }
  // Not consumed: the key still lands in the box as typed text.
  return QObject::eventFilter(watched, event);
}

}  // namespace qv
