#include <QGuiApplication>
#include <gtest/gtest.h>

// Text goes through QPainter, which needs a GUI application object; the
// offscreen platform keeps the tests independent of any display.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
