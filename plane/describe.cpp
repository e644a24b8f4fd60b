// What the window shows, in words, for assistive technology: the plane, the
// size chosen, and the equation shown read as one text.
#include <array>

#include "app/form1.h"
#include "equation/speech.h"

void Form1::DescribePlane()
{
    // Said again only when it changes (a drag describes the plane many times).
    const int dots = Picture1.DotsShown();
    const std::array<double, 8> now{double(unitSize), double(dots),     double(lineOnPlane),
                                    slopeNum.value(), slopeDen.value(), interceptNum.value(),
                                    double(interceptDen), double(equationTooLarge)};
    if (now == lastDescribed_) return;
    lastDescribed_ = now;
    for (std::int16_t i = 0; i < 3; ++i) Command3(i).AccessibleChecked(unitSize == (i == 0 ? 40 : i == 1 ? 22 : 14));
    const char* size = unitSize == 40 ? "小" : unitSize == 22 ? "中" : unitSize == 14 ? "大" : "";
    std::string text = "１目もり" + std::to_string(unitSize) + "ピクセルの座標平面（" + size + "）。";
    text += dots == 0 ? "点は打っていません。" : "点が" + std::to_string(dots) + "個打ってあります。";
    if (lineOnPlane != 1) {
        text += "直線は引いていません。";
    } else {
        text += "直線が引いてあります。";
        const std::string line = equationTooLarge == 1 ? std::string()
                                                       : speech::OfLine(slopeNum.value(), slopeDen.value(),
                                                                        interceptNum.value(), interceptDen);
        if (!line.empty()) text += "直線の式は" + line + "です。";
    }
    Picture1.AccessibleDescription(text);
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
