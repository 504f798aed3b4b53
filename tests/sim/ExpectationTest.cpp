#include <gtest/gtest.h>

#include <string>

#include "sim/Decimal.h"
#include "sim/Expectation.h"

namespace sim {
namespace {

TEST(ExpectationTest, NumbersCompareToThreeDecimals) {
    EXPECT_TRUE(answerMatches("5", "5.000"));
    EXPECT_TRUE(answerMatches("0.667", "0.6666667"));
    EXPECT_TRUE(answerMatches("-0", "0"));
    EXPECT_TRUE(answerMatches("+1.5", "1.5"));
    EXPECT_FALSE(answerMatches("0.667", "0.668"));
    EXPECT_FALSE(answerMatches("5", "5.001"));
}

TEST(ExpectationTest, EachNumberOfAListComparesAndTheCountMustAgree) {
    EXPECT_TRUE(answerMatches("160,240", "160.0001,239.9999"));
    EXPECT_TRUE(answerMatches("0,0,320,480", "0.000,0,320.0,480"));
    EXPECT_FALSE(answerMatches("160,240", "160,241"));
    EXPECT_FALSE(answerMatches("160,240", "160,240,0"));
    EXPECT_FALSE(answerMatches("160,240", "160"));
}

TEST(ExpectationTest, EverythingElseComparesExactly) {
    EXPECT_TRUE(answerMatches("YES", "YES"));
    EXPECT_FALSE(answerMatches("YES", "yes"));
    EXPECT_FALSE(answerMatches("YES", "1"));
    EXPECT_TRUE(answerMatches("1/30,1/24", "1/30,1/24"));
    EXPECT_FALSE(answerMatches("1/30", "1/30.0"));
    EXPECT_FALSE(answerMatches("TIME LAPSE", "TIME LAPSE "));
    EXPECT_FALSE(answerMatches("5", "unavailable"));
    EXPECT_FALSE(answerMatches("1e3", "1000"));
    EXPECT_FALSE(answerMatches("nan", "NaN"));
    EXPECT_TRUE(answerMatches("", ""));
    EXPECT_FALSE(answerMatches("", "0"));
}

TEST(ExpectationTest, ANumberTooLargeForADoubleIsNoNumberAndNeverMatchesZero) {
    const std::string huge = "1" + std::string(309, '0');
    EXPECT_FALSE(plainDecimal(huge));
    EXPECT_FALSE(plainDecimal("-" + huge));
    EXPECT_FALSE(answerMatches(huge, "0"));
    EXPECT_FALSE(answerMatches("0," + huge, "0,0"));
    EXPECT_EQ(plainDecimal("1" + std::string(300, '0')), 1e300);
}

}  // namespace
}  // namespace sim
