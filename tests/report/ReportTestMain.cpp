#include <gtest/gtest.h>

#include <QGuiApplication>

// The report needs a QGuiApplication but no screen. The offscreen platform is taken also
// where no environment names one, as when the tests are listed at build time.
int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
