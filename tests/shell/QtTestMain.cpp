// The dialog tests need a QApplication for the whole run (offscreen when
// QT_QPA_PLATFORM is not set).

#include <QApplication>

#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
