// Plotting again what was shown, after the plane was drawn afresh (a change
// of size, a step of a drag, an arrow key).
#include "app/form1.h"
#include "plane/plane.h"

bool Form1::ReplayPlots() { return plane::Replay(*this); }
