// The name the plane is saved under: after the equation typed.
#include "app/form1.h"
#include "core/plane.h"

std::string Form1::PlaneFileName() const
{
    const std::string name = plane::EquationName(Text1(0).Text(), Text1(1).Text(), Text1(2).Text());
    return (name.empty() ? "座標平面" : name) + ".png";
}
