// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QApplication>

// Tests drive real widgets; without a display they run on Qt's offscreen platform.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Where the offscreen platform reads its fonts from a folder (Windows), the folder to use.
  if (!qEnvironmentVariableIsEmpty("ORX_TEST_FONT_FOLDER"))
    qputenv("QT_QPA_FONTDIR", qgetenv("ORX_TEST_FONT_FOLDER"));
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
