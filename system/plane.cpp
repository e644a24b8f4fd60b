// The second lesson's plane: drawn as the first lesson draws it, its sizes,
// dragging and the arrow keys, and everything shown drawn again after each.
#include "plane/plane.h"
#include "system/form2.h"

void Form2::DrawPlane()
{
    plane::Draw(Picture1, Label5(0), Label5(1), originX, originY, unitSize);
    linesOnPlane = 0;
    ringOnPlane = 0;
}

void Form2::Command3_Click(std::int16_t Index)
{
    unitSize = plane::Choose(Command3, Index);
    DrawPlane();
    ReplayPlots();
}

bool Form2::ReplayPlots()
{
    // The intersection's ring follows the lines.
    if (!plane::Replay(*this)) return false;
    if (solutionShown == 1) MarkIntersection();
    return true;
}

bool Form2::MovePlane(const Variant& dx, const Variant& dy)
{
    plane::Move(originX, originY, dx, dy);
    DrawPlane();
    return ReplayPlots();
}

void Form2::Picture1_MouseDown(std::int16_t, std::int16_t, float X, float Y) { plane::Press(*this, X, Y); }

void Form2::Picture1_MouseMove(std::int16_t, std::int16_t, float X, float Y) { plane::Drag(*this, X, Y); }

void Form2::Picture1_MouseUp(std::int16_t, std::int16_t, float, float) { dragging = 0; }

void Form2::Picture1_KeyDown(std::int16_t& KeyCode, std::int16_t Shift)
{
    // Ctrl+C and Ctrl+S hand the plane on as a picture.
    if (Shift == 2 && KeyCode == 67) return plane::Copy(Picture1);
    if (Shift == 2 && KeyCode == 83) return plane::Save(Picture1, PlaneFileName());
    Variant dx = 0, dy = 0;
    if (!plane::ArrowMove(KeyCode, unitSize, dx, dy)) return;
    if (MovePlane(dx, dy)) Picture1.SetFocus();
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
