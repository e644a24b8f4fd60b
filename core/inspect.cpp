// The windows' state as JSON, for tests that drive the program from outside
// (the browser's tests read it through the page).
#include "core/inspect.h"

#include <cmath>
#include <cstdio>
#include <string>

std::string inspect::Number(const platform::Variant& v)
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

