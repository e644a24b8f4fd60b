// What the plane shows, in words, for assistive technology.
#include <array>

#include "app/form1.h"

void Form1::DescribePlane()
{
    // Said again only when it changes (a drag describes the plane many times).
    const int dots = Picture1.DotsShown();
    const std::array<int, 3> now{unitSize, dots, lineOnPlane};
    if (now == described_) return;
    described_ = now;
    const char* size = unitSize == 40 ? "小" : unitSize == 22 ? "中" : unitSize == 14 ? "大" : "";
    QString text = QString::fromUtf8("１目もり%1ピクセルの座標平面（%2）。").arg(unitSize).arg(QString::fromUtf8(size));
    text += dots == 0 ? QString::fromUtf8("点は打っていません。")
                      : QString::fromUtf8("点が%1個打ってあります。").arg(dots);
    text += lineOnPlane == 1 ? QString::fromUtf8("直線が引いてあります。")
                             : QString::fromUtf8("直線は引いていません。");
    Picture1.AccessibleDescription(text);
}
