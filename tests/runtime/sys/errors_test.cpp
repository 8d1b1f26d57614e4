#include <gtest/gtest.h>
#include <thread>

#include "runtime/sys/errors.h"

namespace {

using namespace runtime;

TEST(ErrorState, CodesCarryTheirTextAndClearTheDriverPart) {
    setDriverError("1455", "Disk full");
    EXPECT_EQ(errorcode(), err::DriverError);
    EXPECT_EQ(fileerrorcode(), "1455");
    EXPECT_EQ(fileerror(), "Disk full");

    setError(err::RecordNotFound);
    EXPECT_EQ(errorcode(), 35);
    EXPECT_EQ(error(), "Record Not Found");
    EXPECT_EQ(fileerrorcode(), "");
    EXPECT_EQ(fileerror(), "");

    clearError();
    EXPECT_EQ(errorcode(), 0);
    EXPECT_EQ(error(), "");
}

TEST(ErrorState, EveryCodeTheSystemReactsToHasItsOwnText) {
    for (int32_t code : {2, 3, 5, 32, 33, 35, 40, 43, 46, 47, 52, 89, 90}) {
        EXPECT_NE(errorText(code), "Unknown Error") << code;
        EXPECT_FALSE(errorText(code).empty()) << code;
    }
    EXPECT_EQ(errorText(12345), "Unknown Error");
}

TEST(ErrorState, LongTextsAreCutNotOverrun) {
    setError(err::DriverError, std::string(1000, 'x'));
    EXPECT_EQ(error().size(), 255u);
    setDriverError(std::string(300, '1'), std::string(300, 'y'));
    EXPECT_EQ(fileerrorcode().size(), 255u);
    EXPECT_EQ(fileerror(), std::string(255, 'y'));
}

TEST(ErrorState, IsKeptPerThread) {
    setError(err::AccessDenied);
    int32_t seenByOther = -1;
    std::thread other([&] {
        seenByOther = errorcode();
        setError(err::FileLocked);
    });
    other.join();
    EXPECT_EQ(seenByOther, 0);
    EXPECT_EQ(errorcode(), err::AccessDenied);
}

} // namespace
