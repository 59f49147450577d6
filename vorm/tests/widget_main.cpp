// Widget tests run on Qt's offscreen platform unless the caller chose one.
#include <QApplication>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Listing the tests needs no display.
  bool listing = false;
  for (int i = 1; i < argc; ++i) listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
  std::unique_ptr<QApplication> app;
  if (!listing) app = std::make_unique<QApplication>(argc, argv);
  return RUN_ALL_TESTS();
}
