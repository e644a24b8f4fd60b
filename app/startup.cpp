// Start-up and the reset to the initial screen (the plane panel starts, resets
// and ends the window; these are the lesson's own parts of it).
#include "app/form1.h"

Form1::Form1() : Panel(static_cast<lessons::PlaneState&>(*this), kTitle) { BuildLayout(); }

Form1::~Form1() = default;

std::vector<platform::TextBox*> Form1::ProblemBoxes() { return {&Text1(0), &Text1(1), &Text1(2)}; }

void Form1::LoadLesson()
{
    slopeNum = 0;
    slopeDen = 0;
    interceptNum = 0;
    interceptDen = 0;
    Command5.Enabled(false);
    Command6.Enabled(false);
    Line1(0).Visible(false);
    Line1(1).Visible(false);
}

void Form1::ClearLesson()
{
    slopeNum = 0;
    slopeDen = 0;
    interceptNum = 0;
    interceptDen = 0;
    pointsShown = 0;
    morePointsShown = 0;
    lineShown = 0;
    for (std::int16_t i = 0; i <= 2; ++i) Text1(i).Text("");
    for (std::int16_t j = 0; j <= 9; ++j) Label4(j).Caption("");
    Line1(0).Visible(false);
    Line1(1).Visible(false);
    Command5.Enabled(false);
    Command6.Enabled(false);
    Text1(0).SetFocus();
}
