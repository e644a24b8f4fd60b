// The third lesson's state as JSON, for tests that drive it from outside.
#include "core/inspect.h"
#include "twopoints/form3.h"

using inspect::Text;

std::string Form3::LessonState() const
{
    std::string j;
    const auto field = [&](const char* name, const std::string& value) {
        if (!j.empty()) j += ',';
        j += Text(name) + ':' + value;
    };
    const auto shown = [](const platform::Label& l) { return l.Visible() ? Text(l.Caption()) : std::string("null"); };
    const auto labels = [&](const auto& array) {
        std::string l = "[";
        for (std::int16_t i = 0; i < array.Count(); ++i) l += (i ? "," : "") + shown(array(i));
        return l + "]";
    };
    const auto bars = [](const auto& array) {
        std::string l = "[";
        for (std::int16_t i = 0; i < array.Count(); ++i) l += std::string(i ? "," : "") + (array(i).Visible() ? "true" : "false");
        return l + "]";
    };
    const auto fraction = [](const twopoints::Fraction& f) {
        return "[" + std::to_string(f.num) + "," + std::to_string(f.den) + "]";
    };
    field("lesson", "3");
    field("step", std::to_string(step));
    field("aAlone", std::to_string(aAlone));
    field("marksOnPlane", std::to_string(marksOnPlane));
    field("ringOnPlane", std::to_string(ringOnPlane));
    field("vertical", work.vertical ? "true" : "false");
    field("rate", fraction(work.rate));
    field("intercept", fraction(work.intercept));
    field("h", fraction(work.h));
    field("form", "[" + std::to_string(work.a) + "," + std::to_string(work.b) + "," + std::to_string(work.c) + "]");
    field("rateWords", labels(Label8));
    field("rateNumbers", labels(Label9));
    field("statement", shown(Label10));
    field("working", labels(Label11));
    field("b", labels(Label12));
    field("slots", labels(Label4));
    field("wholeForm", shown(Label13));
    field("check", Command7.Visible() ? "true" : "false");
    field("bars", "[" + bars(Line2) + "," + bars(Line3) + "," + bars(Line1) + "]");
    field("readings", "[" + Text(RateReading.Text()) + "," + Text(EquationReading.Text()) + "," +
                          Text(FormReading.Text()) + "]");
    return j;
}
