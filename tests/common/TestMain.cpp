#include <QApplication>

#include <gtest/gtest.h>

// Every test executable runs with a QApplication (offscreen under CTest).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("LUMO_TEST_DATA"))
        qputenv("LUMO_TEST_DATA", LUMO_TEST_DATA_DIR);
    if (qEnvironmentVariableIsEmpty("LUMO_BUILD_DIR"))
        qputenv("LUMO_BUILD_DIR", LUMO_BUILD_DIR_PATH);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
