// The window's state as JSON, for tests that drive the program from outside
// (the browser's tests read it through the page).
#include <cmath>
#include <cstdio>
#include <string>

#include "app/form1.h"
#include "app/inspect.h"

using inspect::Number;
using inspect::Text;

std::string inspect::Number(const Variant& v)
{
    char value[40];
    std::snprintf(value, sizeof value, "%.17g", v.value());
    if (!std::isfinite(v.value())) std::snprintf(value, sizeof value, "null");
    static const char kinds[] = {'E', 'I', 'L', 'S', 'D'};
    return std::string("{\"v\":") + value + ",\"k\":\"" + kinds[int(v.kind())] + "\"}";
}

std::string inspect::Text(const std::string& s)
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

std::string inspect::Printed(const platform::PictureBox& picture)
{
    std::string list = "[";
    for (const platform::PictureBox::Printed& t : picture.PrintedTexts()) {
        char place[64];
        std::snprintf(place, sizeof place, ",%.9g,%.9g]", double(t.x), double(t.y));
        list += (list.size() > 1 ? ",[" : "[") + Text(t.text) + place;
    }
    return list + "]";
}

std::string Form1::StateText() const
{
    std::string j = "{";
    const auto field = [&](const char* name, const std::string& value) {
        if (j.size() > 1) j += ',';
        j += Text(name) + ':' + value;
    };
    field("originX", Number(originX));
    field("originY", Number(originY));
    field("unitSize", std::to_string(unitSize));
    field("dragging", Number(dragging));
    field("firstX", Number(firstX));
    field("firstY", Number(firstY));
    field("secondX", Number(secondX));
    field("secondY", Number(Variant(secondY)));
    field("slopeNum", Number(slopeNum));
    field("slopeDen", Number(slopeDen));
    field("interceptNum", Number(interceptNum));
    field("interceptDen", std::to_string(interceptDen));
    field("pointsShown", Number(pointsShown));
    field("morePointsShown", Number(morePointsShown));
    field("lineShown", std::to_string(lineShown));
    field("equationTooLarge", std::to_string(equationTooLarge));
    field("dotsShown", std::to_string(Picture1.DotsShown()));
    std::string slots = "[";
    for (std::int16_t i = 0; i < 10; ++i) {
        if (i) slots += ',';
        slots += Label4(i).Visible() ? Text(Label4(i).Caption()) : "null";
    }
    field("slots", slots + "]");
    field("bars", std::string("[") + (Line1(0).Visible() ? "true" : "false") + ',' +
                      (Line1(1).Visible() ? "true" : "false") + "]");
    field("reading", Text(EquationReading.Text()));
    field("printed", inspect::Printed(Picture1));
    return j + "}";
}
