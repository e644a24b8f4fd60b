// What the second lesson shows again on its plane, drawn afresh after a
// change of size, a step of a drag or an arrow key; and the name its plane
// is saved under.
#include "core/plane.h"
#include "system/form2.h"

void Form2::PlaneCleared()
{
    linesOnPlane = 0;
    ringOnPlane = 0;
}

bool Form2::ShowAgain()
{
    // Each run on its own test, in the order of the lesson; a run that cannot
    // plot has told the learner why, and the rest is not shown again. The
    // intersection's ring follows the lines.
    if (pointsShown == 1) {
        Command4_Click(0);
        if (plotFailed == 1) return false;
    }
    if (morePointsShown == 1) {
        Command4_Click(1);
        if (plotFailed == 1) return false;
    }
    if (lineShown == 1) Command5_Click();
    if (solutionShown == 1) MarkIntersection();
    return true;
}

// "2x+3y=6,x-y=-2.png": the equations typed, in their order.
std::string Form2::PlaneFileName() const
{
    std::string name;
    for (std::int16_t e = 0; e < 2; ++e) {
        const std::string one = plane::EquationName(Text1(std::int16_t(3 * e)).Text(),
                                                    Text1(std::int16_t(3 * e + 1)).Text(),
                                                    Text1(std::int16_t(3 * e + 2)).Text());
        if (one.empty()) continue;
        name += (name.empty() ? "" : ",") + one;
    }
    return (name.empty() ? "座標平面" : name) + ".png";
}
