// "小", "中", "大": the size of the plane.
#include "app/form1.h"
#include "plane/plane.h"

std::int16_t plane::Choose(const platform::ControlArray<platform::CommandButton, 3>& Command3, std::int16_t Index)
{
    for (std::int16_t i = 0; i <= 2; ++i) {
        Command3(i).FontSize(12);
        Command3(i).FontBold(false);
    }
    Command3(Index).FontSize(20);
    Command3(Index).FontBold(true);
    if (Index == 0) return 40;
    if (Index == 1) return 22;
    return 14;
}

void Form1::Command3_Click(std::int16_t Index)
{
    unitSize = plane::Choose(Command3, Index);
    DrawPlane();
    ReplayPlots();
}
