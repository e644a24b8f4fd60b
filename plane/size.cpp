// "小", "中", "大": the size of the plane.
#include "app/form1.h"

void Form1::Command3_Click(std::int16_t Index)
{
    for (std::int16_t i = 0; i <= 2; ++i) {
        Command3(i).FontSize(12);
        Command3(i).FontBold(false);
    }
    Command3(Index).FontSize(20);
    Command3(Index).FontBold(true);
    if (Index == 0) unitSize = 40;
    if (Index == 1) unitSize = 22;
    if (Index == 2) unitSize = 14;
    DrawPlane();
    ReplayPlots();
}
