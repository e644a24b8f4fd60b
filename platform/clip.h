// Cutting a segment back to a box, for lines whose ends lie far outside the
// picture.
#pragma once

namespace platform {

// Cuts the segment (x1, y1)–(x2, y2) to the box [lo, hiX] × [lo, hiY]; false
// when nothing of it is inside. The line is first cut along the axis on which
// it runs furthest, evaluating it there as a function of that axis, so that a
// segment whose ends lie very far away keeps its place near the box.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double lo, double hiX, double hiY);

}  // namespace platform
