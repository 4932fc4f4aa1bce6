#include "common/Int16.h"
#include "common/TvError.h"

#include <gtest/gtest.h>

using namespace tarvex;

TEST(TvError, CarriesTableDescription) {
    EXPECT_EQ(TvError(53).description(), QStringLiteral("File not found"));
    EXPECT_EQ(TvError(ErrCancel).description(), QStringLiteral("Cancel was selected."));
    EXPECT_TRUE(TvError(ErrCancel).isCancel());
    EXPECT_TRUE(TvError(12345).description().isEmpty());
}

TEST(Int16, OverflowsPast32767) {
    EXPECT_EQ(toInt16(32767), 32767);
    EXPECT_THROW(toInt16(32768), TvError);
    std::int16_t n = 32766;
    increment16(n);
    EXPECT_EQ(n, 32767);
    try {
        increment16(n);
        FAIL() << "no overflow";
    } catch (const TvError& e) {
        EXPECT_EQ(e.number(), ErrOverflow);
        EXPECT_EQ(n, 32767);
    }
}
