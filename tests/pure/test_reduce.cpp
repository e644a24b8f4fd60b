// The slope and the intercept of the equation brought to lowest terms, and
// the kinds of number they are left as (which decide how they are written).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/graph_state.h"

using platform::Variant;

namespace {

// The kind of a value as one letter: I 16- or 32-bit integer, S 32-bit float, D 64-bit float.
char kindOf(const Variant& v) { return v.describe()[0]; }

std::string fractions(const GraphState& g)
{
    return g.slopeNum.describe() + " " + g.slopeDen.describe() + " " + g.interceptNum.describe() + " " +
           std::to_string(g.interceptDen);
}

void reduce(GraphState& g)
{
    try {
        g.ReduceFractions();
    } catch (const platform::RuntimeError& e) {
        ADD_FAILURE() << "runtime error " << e.code() << ": " << e.what();
    }
}

TEST(Reduce, Reduction)
{
    const auto V = [](int v) { return Variant(v); };
    const struct {
        const char* name;
        Variant slopeNum, slopeDen, interceptNum;
        int interceptDen;
        double reduced[4];  // slopeNum, slopeDen, interceptNum, interceptDen
        const char* kinds;  // of slopeNum, slopeDen, interceptNum afterwards
    } rows[] = {
        {"12/8", V(12), V(8), V(1), 3, {3, 2, 1, 3}, "SSI"},
        {"-6/4, -9/6", V(-6), V(4), V(-9), 6, {-3, 2, -3, 2}, "SSS"},
        {"8/4", V(8), V(4), V(5), 1, {2, 1, 5, 1}, "SSI"},
        {"0/6, 0/6", V(0), V(6), V(0), 6, {0, 1, 0, 1}, "SSS"},
        {"interceptDen 1", V(6), V(9), V(7), 1, {2, 3, 7, 1}, "SSI"},
        {"6/3 intercept", V(1), V(3), V(6), 3, {1, 3, 2, 1}, "IIS"},
        {"slopeDen 1, 4/2", V(5), V(1), V(4), 2, {5, 1, 2, 1}, "IIS"},
        {"lowest terms", V(3), V(2), V(-1), 5, {3, 2, -1, 5}, "III"},
        {"36/48, 100/48", V(36), V(48), V(100), 48, {3, 4, 25, 12}, "SSS"},
        {"64-bit numerator", Variant(12.0), V(8), Variant(2.0f), 4, {3, 2, 1, 2}, "DSS"},
        {"limit 32767", V(32767), V(32767), V(32767), 32767, {1, 1, 1, 1}, "SSS"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GraphState g;
        g.slopeNum = row.slopeNum;
        g.slopeDen = row.slopeDen;
        g.interceptNum = row.interceptNum;
        g.interceptDen = static_cast<std::int16_t>(row.interceptDen);
        reduce(g);
        EXPECT_EQ(g.slopeNum.value(), row.reduced[0]);
        EXPECT_EQ(g.slopeDen.value(), row.reduced[1]);
        EXPECT_EQ(g.interceptNum.value(), row.reduced[2]);
        EXPECT_EQ(double(g.interceptDen), row.reduced[3]);
        const std::string kinds = {kindOf(g.slopeNum), kindOf(g.slopeDen), kindOf(g.interceptNum)};
        EXPECT_EQ(kinds, row.kinds);
        // Once in lowest terms, a second call changes nothing.
        const std::string once = fractions(g);
        reduce(g);
        EXPECT_EQ(fractions(g), once);
    }
}

}  // namespace
