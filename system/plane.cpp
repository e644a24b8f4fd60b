// What the second lesson shows again on its plane, drawn afresh after a
// change of size, a step of a drag or an arrow key; and the name its plane
// is saved under.
#include "core/plane.h"
#include "core/plot.h"
#include "system/form2.h"

void Form2::PlaneCleared()
{
    linesOnPlane = 0;
    ringOnPlane = 0;
}

bool Form2::ShowAgain()
{
    // The intersection's ring follows the lines.
    if (!plot::ShowRunsAgain(*this)) return false;
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
