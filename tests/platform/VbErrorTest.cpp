#include "platform/err/VbError.h"
#include "platform/err/RunTimeErrors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <new>

using namespace lumo::err;

TEST(VbError, RaiseFillsCurrentErrorAndThrows) {
    try {
        Raise(53, QStringLiteral("KelVBLib-CKelService-FileCopy"));
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), 53);
        EXPECT_EQ(e.Description(), QStringLiteral("File not found"));
    }
    EXPECT_EQ(CurrentError().Number, 53);
    EXPECT_EQ(CurrentError().Source, QStringLiteral("KelVBLib-CKelService-FileCopy"));
    EXPECT_EQ(SystemText(QStringLiteral("Nelze načíst názvy bylin")),
              QStringLiteral("Nelze načíst názvy bylin\r\nSystem: 53 - File not found"));
    EXPECT_EQ(SystemText(QStringLiteral("X"), QStringLiteral("-")),
              QStringLiteral("X\r\nSystem: 53-File not found"));
}

TEST(VbError, CaptureMapsStandardExceptions) {
    try {
        throw std::bad_alloc();
    } catch (...) {
        EXPECT_EQ(CaptureCurrentException().Number, 7);
    }
    try {
        (void)std::filesystem::file_size("/definitely/not/here");
    } catch (...) {
        EXPECT_EQ(CaptureCurrentException().Number, 53);
    }
    try {
        throw std::runtime_error("boom");
    } catch (...) {
        EXPECT_EQ(CaptureCurrentException().Number, 5);
        EXPECT_EQ(CurrentError().Description, QStringLiteral("boom"));
    }
    EXPECT_EQ(StandardErrorText(9), QStringLiteral("Subscript out of range"));
    EXPECT_EQ(vbObjectError + 513, -2147221504L + 513);
}
