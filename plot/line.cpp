// "すべての点を打つ": the whole line of the equation last plotted, in red, with
// its slope and intercept kept as fractions for the equation display.
#include "app/form1.h"
#include "core/plot.h"

void Form1::Command5_Click()
{
    plot::WholeLine(*this, Picture1, originX, originY, unitSize, platform::QBColor(12));
    lineOnPlane = 1;
    Command6.Enabled(true);
    Command6.SetFocus();
    lineShown = 1;
}
