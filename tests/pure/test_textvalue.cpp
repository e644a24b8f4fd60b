// Reading a typed coefficient, and the text of a number shown to the learner.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

#include "platform/numtext.h"
#include "platform/variant.h"

using platform::Variant;

namespace {

struct ReadingRow {
    const char* name;
    std::string_view text;  // UTF-8, as the text box hands it over
    double value;
};

TEST(TextValue, Reading)
{
    const double inf = std::numeric_limits<double>::infinity();
    const ReadingRow rows[] = {
        // What a learner types and what the plot takes it for.
        {"empty", "", 0.0},
        {"3", "3", 3.0},
        {"-2", "-2", -2.0},
        {"+4", "+4", 4.0},
        {"0.5", "0.5", 0.5},
        {".5", ".5", 0.5},
        {"1 2", "1 2", 12.0},
        {"- 3", "- 3", -3.0},
        {"2x", "2x", 2.0},
        {"x", "x", 0.0},
        {"1/2", "1/2", 1.0},
        {"1,5", "1,5", 1.0},
        {"1.2.3", "1.2.3", 1.2},
        {"1e2", "1e2", 100.0},

        {"blanks only", "   ", 0.0},
        {"lone minus", "-", 0.0},
        {"--3", "--3", 0.0},
        {"3-", "3-", 3.0},
        {"-.5", "-.5", -0.5},
        {"tab and line feed dropped", "1\t2\n3", 123.0},
        {"1D2", "1D2", 100.0},
        {"1d-2", "1d-2", 0.01},
        {"1e without digits", "1e", 1.0},
        {"exponent stops at the point", "1e2.5", 100.0},
        {"1e999", "1e999", inf},
        {"-1e999", "-1e999", -inf},

        // What a Japanese input method types.
        {"full-width 0123456789", "０１２３４５６７８９", 123456789.0},
        {"full-width plus", "＋４", 4.0},
        {"full-width minus", "－２", -2.0},
        {"minus sign U+2212", "−7", -7.0},
        {"full-width full stop", "０．５", 0.5},
        {"mixed widths", "-1．2５", -1.25},
        // …and, in its Japanese mode, for the minus and full-stop keys.
        {"prolonged sound mark as minus", "ー２", -2.0},
        {"half-width prolonged sound mark", "ｰ3", -3.0},
        {"ideographic full stop", "０。５", 0.5},
        {"half-width ideographic full stop", "1｡25", 1.25},
        {"prolonged sound mark after a digit ends the number", "2ー3", 2.0},

        // Blanks and invisible characters from an input method or a paste:
        // the number reads as it looks.
        {"full-width space between digits", "１　２", 12.0},
        {"full-width space after the sign", "－　２", -2.0},
        {"no-break space before a number", "\u00A0" "3", 3.0},
        {"narrow no-break space between thousands", "1\u202F" "000", 1000.0},
        {"zero-width space inside", "1\u200B" "5", 15.0},
        {"right-to-left marks around", "\u200F" "-3" "\u200F", -3.0},
        {"left-to-right mark before", "\u200E" "0.5", 0.5},
        {"byte order mark at the start", "\uFEFF" "4", 4.0},
        {"soft hyphen inside digits", "12\u00AD" "34", 1234.0},
        {"tag character beyond the BMP", "\U000E0020" "7", 7.0},
        {"carriage return is no blank", "1\r2", 1.0},
        {"line separator is no blank", "1\u2028" "2", 1.0},

        {"&H1F", "&H1F", 31.0},
        {"&hff", "&hff", 255.0},
        {"&HFFFF is not negative", "&HFFFF", 65535.0},
        {"&H1G", "&H1G", 1.0},
        {"& H1F with a blank", "& H1F", 31.0},
        {"&O17", "&O17", 15.0},
        {"&O18 stops at 8", "&O18", 1.0},
        {"&H", "&H", 0.0},
    };
    for (const ReadingRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(platform::TextValue(row.text), row.value);
    }
}

TEST(TextValue, NumberText)
{
    const struct {
        const char* name;
        Variant v;
        const char* text;
    } rows[] = {
        {"5", Variant(std::int16_t(5)), " 5"},
        {"-10", Variant(std::int16_t(-10)), "-10"},
        {"0", Variant(std::int16_t(0)), " 0"},
        {"empty", Variant(), " 0"},
        {"40000", Variant(std::int16_t(200)) * Variant(std::int16_t(200)), " 40000"},
        {"single 0.5", Variant(0.5f), " 0.5"},
        {"double 0.5", Variant(0.5), " 0.5"},
        {"double -2.25", Variant(-2.25), "-2.25"},
        {"whole single", Variant(8.0f), " 8"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(platform::NumberText(row.v), row.text);
    }
}

// A decimal comma in the user's locale changes neither rule.
TEST(TextValue, LocaleIndependence)
{
    const std::string before = std::setlocale(LC_ALL, nullptr);
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        // A C library may take a locale's name without its numbers: musl
        // (under Emscripten) accepts every name and keeps the full stop.
        if (std::setlocale(LC_ALL, name) && std::string(std::localeconv()->decimal_point) == ",") {
            comma = name;
            break;
        }
    }
    const double half = platform::TextValue("0.5");
    const double quarter = platform::TextValue("-１．２５");
    const std::string single = platform::NumberText(Variant(0.5f));
    const std::string dbl = platform::NumberText(Variant(-2.25));
    std::setlocale(LC_ALL, before.c_str());

    EXPECT_EQ(half, 0.5);
    EXPECT_EQ(quarter, -1.25);
    EXPECT_EQ(single, " 0.5");
    EXPECT_EQ(dbl, "-2.25");
    if (!comma) std::printf("note: no locale with a decimal comma is installed; checked under the C locale only\n");
}

}  // namespace
