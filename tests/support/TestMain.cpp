#include <QApplication>
#include <gmock/gmock.h>

// Every test program runs with a QApplication on the offscreen platform, so
// widgets can be shown and driven without a display.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
