// What the window shows, in words, for assistive technology: what is on the
// plane, and the equation shown read as one text.
#include <array>

#include "app/form1.h"
#include "core/speech.h"

std::string Form1::PlaneShows() const
{
    const int dots = Picture1.DotsShown();
    std::string text = dots == 0 ? "点は打っていません。" : "点が" + std::to_string(dots) + "個打ってあります。";
    if (lineOnPlane != 1) return text + "直線は引いていません。";
    text += "直線が引いてあります。";
    const std::string line = equationTooLarge == 1
                                 ? std::string()
                                 : speech::OfLine(slopeNum.value(), slopeDen.value(), interceptNum.value(), interceptDen);
    if (!line.empty()) text += "直線の式は" + line + "です。";
    return text;
}

void Form1::DescribeEquation()
{
    std::array<std::string, 10> shown;
    for (std::int16_t i = 0; i < 10; ++i)
        if (Label4(i).Visible()) shown[std::size_t(i)] = Label4(i).Caption();
    if (shown == lastRead_) return;
    lastRead_ = shown;
    EquationReading.Text(speech::OfSlots(shown));
}
