// The first lesson's state as JSON, for tests that drive it from outside.
#include "app/form1.h"
#include "core/inspect.h"

using inspect::Number;
using inspect::Text;

std::string Form1::LessonState() const
{
    std::string j;
    const auto field = [&](const char* name, const std::string& value) {
        if (!j.empty()) j += ',';
        j += Text(name) + ':' + value;
    };
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
    std::string slots = "[";
    for (std::int16_t i = 0; i < 10; ++i) {
        if (i) slots += ',';
        slots += Label4(i).Visible() ? Text(Label4(i).Caption()) : "null";
    }
    field("slots", slots + "]");
    field("bars", std::string("[") + (Line1(0).Visible() ? "true" : "false") + ',' +
                      (Line1(1).Visible() ? "true" : "false") + "]");
    field("reading", Text(EquationReading.Text()));
    return j;
}
