#include "CoreTestHelpers.h"
#include "common/Int16.h"

#include <gtest/gtest.h>

using namespace tarvex;
using tarvex::test::errorOf;

TEST(TvError, CarriesTheTableDescription) {
    EXPECT_EQ(TvError(53).description(), QStringLiteral("File not found"));
    EXPECT_EQ(TvError(ErrCancel).description(), QStringLiteral("Cancel was selected."));
    EXPECT_TRUE(TvError(ErrCancel).isCancel());
    EXPECT_TRUE(TvError(12345).description().isEmpty());
}

TEST(Int16, OverflowsPast32767AndKeepsTheValue) {
    EXPECT_EQ(toInt16(32767), 32767);
    EXPECT_EQ(errorOf([] { (void)toInt16(32768); }), ErrOverflow);
    std::int16_t n = 32766;
    increment16(n);
    EXPECT_EQ(n, 32767);
    EXPECT_EQ(errorOf([&] { increment16(n); }), ErrOverflow);
    EXPECT_EQ(n, 32767);
}
