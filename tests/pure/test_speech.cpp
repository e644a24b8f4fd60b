// The equation as a screen reader is to say it: the fractions whole, every
// sign a word, where it begins a term and between the terms.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/speech.h"

namespace {

TEST(Speech, OfSlots)
{
    using Slots = std::array<std::string, 10>;
    const struct {
        const char* name;
        Slots slots;
        const char* said;
    } rows[] = {
        {"nothing shown", {}, ""},
        {"2x + 3y = 6", {"ｙ＝", "－", "", " 2", " 3", "ｘ", "＋", " 2", "", ""}, "ｙ＝マイナス３分の２ｘプラス２"},
        {"x - 2y = 1", {"ｙ＝", "", "", " 1", " 2", "ｘ", "－", "", " 1", " 2"}, "ｙ＝２分の１ｘマイナス２分の１"},
        {"y = -x + 1", {"ｙ＝", "－", "", "", "", "ｘ", "＋", " 1", "", ""}, "ｙ＝マイナスｘプラス１"},
        {"y = x", {"ｙ＝", "", "", "", "", "ｘ", "", "", "", ""}, "ｙ＝ｘ"},
        {"y = 100x", {"ｙ＝", "", " 100", "", "", "ｘ", "", "", "", ""}, "ｙ＝１００ｘ"},
        {"y = 0", {"ｙ＝", "", " 0", "", "", "", "", "", "", ""}, "ｙ＝０"},
        {"y = -5/2, no bar", {"ｙ＝", "－", "", " 5", " 2", "", "", "", "", ""}, "ｙ＝マイナス２分の５"},
        {"x = -3", {"ｘ＝", "－", " 3", "", "", "", "", "", "", ""}, "ｘ＝マイナス３"},
        {"a decimal", {"ｙ＝", "", " 0.5", "", "", "ｘ", "", "", "", ""}, "ｙ＝０．５ｘ"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(speech::OfSlots(row.slots), row.said);
    }
}

TEST(Speech, OfLine)
{
    const struct {
        double sn, sd, kn, kd;
        const char* said;
    } rows[] = {
        {-2, 3, 6, 3, "ｙ＝マイナス３分の２ｘプラス２"},  // as the whole line leaves 2x + 3y = 6
        {2, -4, 3, -4, "ｙ＝マイナス２分の１ｘマイナス４分の３"},
        {-1, 3, 1, 3, "ｙ＝マイナス３分の１ｘプラス３分の１"},
        {1, 1, 0, 1, "ｙ＝ｘ"},
        {0, 1, -10, 2, "ｙ＝マイナス５"},
        {0, 1, 0, 1, "ｙ＝０"},
        {0, 0, -3, 0, "ｘ＝マイナス３"},
        {0.5, 1, 0, 1, ""},  // not whole: nothing is said rather than something wrong
        {1e300, 1, 0, 1, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.said);
        EXPECT_EQ(speech::OfLine(row.sn, row.sd, row.kn, row.kd), row.said);
    }
}

}  // namespace
