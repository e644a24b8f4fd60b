// Moving the plane by dragging it with any mouse button.
#include "app/form1.h"
#include "plane/plane.h"

void Form1::Picture1_MouseDown(std::int16_t, std::int16_t, float X, float Y) { plane::Press(*this, X, Y); }

void Form1::Picture1_MouseMove(std::int16_t, std::int16_t, float X, float Y) { plane::Drag(*this, X, Y); }

// The arrow keys move the plane by one grid unit, as a drag would. The
// replays move the focus on through the lesson; the plane keeps it, so that
// the next press (or a held key) moves it again. A replay that cannot plot
// has sent the focus to the box to correct, and there it stays.
void Form1::Picture1_KeyDown(std::int16_t& KeyCode, std::int16_t Shift)
{
    // Ctrl+C and Ctrl+S hand the plane on as a picture.
    if (Shift == 2 && KeyCode == 67) return CopyPlane();
    if (Shift == 2 && KeyCode == 83) return SavePlane();
    Variant dx = 0, dy = 0;
    if (!plane::ArrowMove(KeyCode, unitSize, dx, dy)) return;
    if (MovePlane(dx, dy)) Picture1.SetFocus();
}

bool plane::ArrowMove(std::int16_t KeyCode, std::int16_t unitSize, Variant& dx, Variant& dy)
{
    if (KeyCode == 37) dx = -Variant(unitSize);
    if (KeyCode == 38) dy = -Variant(unitSize);
    if (KeyCode == 39) dx = unitSize;
    if (KeyCode == 40) dy = unitSize;
    return !(dx == 0 && dy == 0);
}

void plane::Move(Variant& originX, Variant& originY, const Variant& dx, const Variant& dy)
{
    originX = originX + dx;
    originY = originY + dy;
    // The origin stays inside the square 60 … 540.
    if (originX < 60) originX = 60;
    if (originX > 540) originX = 540;
    if (originY < 60) originY = 60;
    if (originY > 540) originY = 540;
}

bool Form1::MovePlane(const Variant& dx, const Variant& dy)
{
    plane::Move(originX, originY, dx, dy);
    DrawPlane();
    return ReplayPlots();
}

void Form1::Picture1_MouseUp(std::int16_t, std::int16_t, float, float) { dragging = 0; }
