#include "platform/Fonts.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdio>

// Every test binary runs with a real QApplication, headless unless told otherwise.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // ctest marks a binary skipped by this line (see vocalino_test); written only when nothing
    // failed, so a failure beside a skip is never shown as a skip.
    const int skipped = ::testing::UnitTest::GetInstance()->skipped_test_count();
    if (result == 0 && skipped > 0)
        std::printf("[  SKIPPED ] %d %s skipped and none failed\n", skipped, skipped == 1 ? "case" : "cases");
    return result;
}
