// Plotting again what was shown, after the plane was drawn afresh (a change
// of size, a step of a drag, an arrow key).
#include "app/form1.h"
#include "core/plot.h"

bool Form1::ShowAgain() { return plot::ShowRunsAgain(*this); }
