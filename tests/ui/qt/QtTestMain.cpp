#include <gtest/gtest.h>

#include <QApplication>

// The widget tests need one application object that lives exactly as long as
// the tests run; this main takes the place of GoogleTest's own.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
