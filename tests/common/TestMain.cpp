#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every test executable runs with a QApplication (offscreen under CTest), with a home and
// configuration folders of its own, so nothing a test does lands in the user's.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("LUMO_TEST_DATA"))
        qputenv("LUMO_TEST_DATA", LUMO_TEST_DATA_DIR);
    if (qEnvironmentVariableIsEmpty("LUMO_BUILD_DIR"))
        qputenv("LUMO_BUILD_DIR", LUMO_BUILD_DIR_PATH);
    QTemporaryDir home;
    if (home.isValid()) {
        qputenv("HOME", home.path().toLocal8Bit());
        for (const char* xdg : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
            qunsetenv(xdg);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
