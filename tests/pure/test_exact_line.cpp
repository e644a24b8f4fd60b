// The exact fractions of a typed equation, and whether a whole-number point
// lies exactly on its line, from the decimals as the learner typed them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/numtext.h"
#include "platform/variant.h"
#include "core/exact_line.h"

using exact_line::Fraction;
using exact_line::OnLine;
using platform::ReadNumber;
using platform::Variant;

namespace {

TEST(ExactLine, Quotients)
{
    const struct {
        const char* p;
        const char* q;
        bool negated;
        bool fits;
        std::int64_t num, den;  // when it fits
    } rows[] = {
        {"6", "4", false, true, 3, 2},
        {"6", "-4", false, true, -3, 2},          // the sign goes on the numerator
        {"6", "-4", true, true, 3, 2},
        {"-0.2", "0.6", true, true, 1, 3},
        {"0.1", "0.3", false, true, 1, 3},        // no binary fraction is a third of 0.3
        {"2.5", "0.05", false, true, 50, 1},
        {"0", "-0.7", false, true, 0, 1},
        {"0", "1e-41", false, true, 0, 1},        // 0x + 1e-41y = 0 is y = 0, however far the exponents
        {"0", "1e41", true, true, 0, 1},
        {"1e20", "1e19", false, true, 10, 1},     // far exponents, near each other
        {"&H10", "4", false, true, 4, 1},
        {"1", "32767", false, true, 1, 32767},
        {"1", "3.2768", false, true, 625, 2048},  // 10000/32768 fits once reduced
        {"999999999999999", "1", false, true, 999999999999999, 1},
        {"-999999999999999", "1", false, true, -999999999999999, 1},
        {"1", "32768", false, false, 0, 0},
        {"1000000000000000", "1", false, false, 0, 0},
        {"-1000000000000000", "1", true, false, 0, 0},
        {"1e30", "3", false, false, 0, 0},
        {"5", "0", false, false, 0, 0},
        {"5", "", false, false, 0, 0},
        {"1234567890123456789", "1", false, false, 0, 0},  // more digits than are kept exactly
        // Beyond 2^53 a hexadecimal number is rounded: 2^53 + 1 reads as 2^53.
        {"&H20000000000001", "&H4000", false, false, 0, 0},
        {"549755813888", "&H20000000000001", false, false, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.negated ? "-" : "") + row.p + " / " + row.q);
        const platform::Reading p = ReadNumber(row.p), q = ReadNumber(row.q);
        const Fraction f = row.negated ? exact_line::NegatedQuotient(p, q) : exact_line::Quotient(p, q);
        EXPECT_EQ(f.fits, row.fits);
        if (f.fits && row.fits) {
            EXPECT_EQ(f.num, row.num);
            EXPECT_EQ(f.den, row.den);
        }
    }
}

TEST(ExactLine, EqualsAndSmall)
{
    const Fraction threeHalves{true, 3, 2}, minusThreeHalves{true, -3, 2};
    EXPECT_TRUE(exact_line::Equals(Variant(3.0f), Variant(std::int16_t(2)), threeHalves));
    EXPECT_TRUE(exact_line::Equals(Variant(6), Variant(4), threeHalves));  // same value, not lowest terms
    EXPECT_TRUE(exact_line::Equals(Variant(3), Variant(-2), minusThreeHalves));
    EXPECT_FALSE(exact_line::Equals(Variant(3), Variant(2), minusThreeHalves));
    EXPECT_FALSE(exact_line::Equals(Variant(1.5), Variant(1), threeHalves));  // not whole
    EXPECT_FALSE(exact_line::Equals(Variant(7.0), Variant(5), threeHalves));
    // Beyond the 64-bit integers it cannot tell, and says no (no wrapped product).
    EXPECT_FALSE(exact_line::Equals(Variant(3.0e19), Variant(2.0e19), Fraction{true, 1, 1}));

    EXPECT_TRUE(exact_line::Small(Variant(9999999.0f)));
    EXPECT_FALSE(exact_line::Small(Variant(10000000.0f)));
    EXPECT_FALSE(exact_line::Small(Variant(-1.0e7)));
}

TEST(ExactLine, PointOnLine)
{
    const struct {
        const char *a, *b, *c;
        double x, y;
        OnLine want;
    } rows[] = {
        {"0.1", "0.2", "0.3", 1, 1, OnLine::Yes},  // 0.1 + 0.2 is not 0.3 in binary
        {"0.1", "0.2", "0.3", 1, 2, OnLine::No},
        {"-2", "3", "4", 1, 2, OnLine::Yes},
        {"2", "3", "6", -3, 4, OnLine::Yes},
        {"0", "1", "0", 37, 0, OnLine::Yes},
        {"1e-3", "1", "2.001", 1, 2, OnLine::Yes},
        {"1e-3", "1", "2.001", 2, 2, OnLine::No},
        {"1", "0", "0.5", 5, 0, OnLine::No},          // the line x = 1/2
        {"1", "1", "2", 0.5, 2, OnLine::Unknown},     // not a whole-number point
        {"1", "1", "2", 2, 0.5, OnLine::Unknown},
        {"1", "1", "2", 2e18, 1, OnLine::Unknown},    // too far out
        {"1", "1", "2", 1, -2e18, OnLine::Unknown},
        {"1234567890123456789", "1", "2", 0, 2, OnLine::Unknown},
        {"1e-60", "1e60", "1", 1, 1, OnLine::Unknown},
    };
    const char* names[] = {"Yes", "No", "Unknown"};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.a) + "x + " + row.b + "y = " + row.c + " at (" + std::to_string(row.x) +
                     ", " + std::to_string(row.y) + ")");
        const OnLine got =
            exact_line::PointOnLine(ReadNumber(row.a), ReadNumber(row.b), ReadNumber(row.c), row.x, row.y);
        EXPECT_STREQ(names[static_cast<int>(got)], names[static_cast<int>(row.want)]);
    }
}

}  // namespace
