#include "platform/clip.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform {

bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double lo, double hiX, double hiY)
{
    const bool alongX = std::fabs(x2 - x1) >= std::fabs(y2 - y1);
    double& u1 = alongX ? x1 : y1;
    double& v1 = alongX ? y1 : x1;
    double& u2 = alongX ? x2 : y2;
    double& v2 = alongX ? y2 : x2;
    const double hiU = alongX ? hiX : hiY;
    if (u1 > u2) {
        std::swap(u1, u2);
        std::swap(v1, v2);
    }
    const double from = std::max(u1, lo), to = std::min(u2, hiU);
    if (from > to) return false;
    const double slope = (v2 - v1) / (u2 - u1);
    const double a = v1 + (from - u1) * slope, b = v1 + (to - u1) * slope;
    u1 = from;
    v1 = a;
    u2 = to;
    v2 = b;
    // What is left is no longer than the box is wide along that axis.
    double t0 = 0.0, t1 = 1.0;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - lo, hiX - x1, y1 - lo, hiY - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    const double bx = x1 + t1 * dx, by = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    x2 = bx;
    y2 = by;
    return true;
}

}  // namespace platform
