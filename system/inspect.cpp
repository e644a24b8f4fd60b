// The second lesson's state as JSON, for tests that drive it from outside.
#include "core/inspect.h"
#include "system/form2.h"

using inspect::Number;
using inspect::Text;

std::string Form2::LessonState() const
{
    std::string j;
    const auto field = [&](const char* name, const std::string& value) {
        if (!j.empty()) j += ',';
        j += Text(name) + ':' + value;
    };
    const auto list = [](auto count, auto item) {
        std::string l = "[";
        for (int i = 0; i < count; ++i) l += (i ? "," : "") + item(std::int16_t(i));
        return l + "]";
    };
    const auto shown = [](const platform::Label& l) { return l.Visible() ? Text(l.Caption()) : std::string("null"); };
    field("lesson", "2");
    field("pointsShown", Number(pointsShown));
    field("morePointsShown", Number(morePointsShown));
    field("lineShown", std::to_string(lineShown));
    field("solutionShown", std::to_string(solutionShown));
    field("linesOnPlane", std::to_string(linesOnPlane));
    field("ringOnPlane", std::to_string(ringOnPlane));
    field("lines", list(2, [&](std::int16_t e) {
              const SystemLine& l = line[std::size_t(e)];
              return "{\"slopeNum\":" + Number(l.slopeNum) + ",\"slopeDen\":" + Number(l.slopeDen) +
                     ",\"interceptNum\":" + Number(l.interceptNum) +
                     ",\"interceptDen\":" + std::to_string(l.interceptDen) +
                     ",\"wholePointsFound\":" + std::to_string(l.wholePointsFound) +
                     ",\"equationTooLarge\":" + std::to_string(l.equationTooLarge) + "}";
          }));
    static const char* const kinds[] = {"point", "parallel", "same", "tooLarge"};
    const auto result = [](const intersection::Result& m) {
        return "{\"kind\":" + Text(kinds[int(m.kind)]) + ",\"x\":[" + std::to_string(m.x.num) + "," +
               std::to_string(m.x.den) + "],\"y\":[" + std::to_string(m.y.num) + "," + std::to_string(m.y.den) + "]}";
    };
    field("meeting", result(meeting));
    field("solution", result(solution));
    field("slots", list(20, [&](std::int16_t i) { return shown(Label4(i)); }));
    field("bars", list(4, [&](std::int16_t i) { return std::string(Line1(i).Visible() ? "true" : "false"); }));
    field("point", list(11, [&](std::int16_t i) { return shown(Label9(i)); }));
    field("pointBars", list(2, [&](std::int16_t i) { return std::string(Line2(i).Visible() ? "true" : "false"); }));
    field("statement", shown(Label10));
    field("readings", "[" + Text(EquationReading1.Text()) + "," + Text(EquationReading2.Text()) + "," +
                          Text(SolutionReading.Text()) + "]");
    return j;
}
