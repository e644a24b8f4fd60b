// The window's state as JSON, for tests that drive the program from outside
// (the browser's tests read it through the page).
#include <cmath>
#include <cstdio>
#include <string>

#include "app/form1.h"

namespace {

// A number of the state with its kind: {"v":300,"k":"I"}; k is E empty, I a
// 16-bit and L a 32-bit integer, S a 32-bit and D a 64-bit float.
std::string number(const Variant& v)
{
    char value[40];
    std::snprintf(value, sizeof value, "%.17g", v.value());
    if (!std::isfinite(v.value())) std::snprintf(value, sizeof value, "null");
    static const char kinds[] = {'E', 'I', 'L', 'S', 'D'};
    return std::string("{\"v\":") + value + ",\"k\":\"" + kinds[int(v.kind())] + "\"}";
}

std::string text(const std::string& s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + "\"";
}

}  // namespace

std::string Form1::StateText() const
{
    std::string j = "{";
    const auto field = [&](const char* name, const std::string& value) {
        if (j.size() > 1) j += ',';
        j += text(name) + ':' + value;
    };
    field("originX", number(originX));
    field("originY", number(originY));
    field("unitSize", std::to_string(unitSize));
    field("dragging", number(dragging));
    field("firstX", number(firstX));
    field("firstY", number(firstY));
    field("secondX", number(secondX));
    field("secondY", number(Variant(secondY)));
    field("slopeNum", number(slopeNum));
    field("slopeDen", number(slopeDen));
    field("interceptNum", number(interceptNum));
    field("interceptDen", std::to_string(interceptDen));
    field("pointsShown", number(pointsShown));
    field("morePointsShown", number(morePointsShown));
    field("lineShown", std::to_string(lineShown));
    field("equationTooLarge", std::to_string(equationTooLarge));
    field("dotsShown", std::to_string(Picture1.DotsShown()));
    std::string slots = "[";
    for (std::int16_t i = 0; i < 10; ++i) {
        if (i) slots += ',';
        slots += Label4(i).Visible() ? text(Label4(i).Caption()) : "null";
    }
    field("slots", slots + "]");
    field("bars", std::string("[") + (Line1(0).Visible() ? "true" : "false") + ',' +
                      (Line1(1).Visible() ? "true" : "false") + "]");
    field("reading", text(EquationReading.Text()));
    return j + "}";
}
