// Plotting again what was shown, after the plane was drawn afresh (a change
// of size, a step of a drag, an arrow key): each run on its own test, in the
// order of the lesson; a run that cannot plot has told the learner why, and
// the rest is not replayed.
#include "app/form1.h"

bool Form1::ReplayPlots()
{
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
