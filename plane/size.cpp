// "小", "中", "大": the size of the plane, and the replay of what was shown.
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

bool Form1::ReplayPlots()
{
    // Each on its own test, in the order of the lesson; a run that cannot plot
    // has told the learner why, and the rest is not replayed.
    if (pointsShown == 1) {
        Command4_Click(0);
        if (plotFailed == 1) return false;
    }
    if (morePointsShown == 1) {
        Command4_Click(1);
        if (plotFailed == 1) return false;
    }
    if (lineShown == 1) Command5_Click();
    return true;
}
