// What the plane shows, in words, for assistive technology.
#include <array>

#include "app/form1.h"

void Form1::DescribePlane()
{
    // Said again only when it changes (a drag describes the plane many times).
    const int dots = Picture1.DotsShown();
    const std::array<int, 3> now{unitSize, dots, lineOnPlane};
    if (now == lastDescribed_) return;
    lastDescribed_ = now;
    const char* size = unitSize == 40 ? "小" : unitSize == 22 ? "中" : unitSize == 14 ? "大" : "";
    std::string text = "１目もり" + std::to_string(unitSize) + "ピクセルの座標平面（" + size + "）。";
    text += dots == 0 ? "点は打っていません。" : "点が" + std::to_string(dots) + "個打ってあります。";
    text += lineOnPlane == 1 ? "直線が引いてあります。" : "直線は引いていません。";
    Picture1.AccessibleDescription(text);
}
