// main() of the window tests: Qt's offscreen platform, and a private mount namespace entered
// while the process has one thread only (the system refuses it later).
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/mount_faults.h"

int main(int argc, char* argv[]) {
    brelvik::test::Enter_private_mount_namespace();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
