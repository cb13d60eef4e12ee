#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/QtLook.h"

namespace qv {
namespace {

TEST(CyanDusk, AppliesTheLookAndKeepsThePlainOneWhenItCannot) {
  auto& app = *qobject_cast<QApplication*>(QCoreApplication::instance());
  app.setStyleSheet(QString());
  const QString error = applyCyanDusk(app, "/nonexistent/cyan-dusk.qss");
  EXPECT_TRUE(error.startsWith("The visual style \"Cyan Dusk\" cannot be applied: "))
      << error.toStdString();
  EXPECT_TRUE(app.styleSheet().isEmpty());

  EXPECT_TRUE(applyCyanDusk(app).isEmpty());
  EXPECT_TRUE(app.styleSheet().contains("QFrame#Panel4"));
  app.setStyleSheet(QString());
}

}  // namespace
}  // namespace qv
