// A run of points of a·x + b·y = c, as the lessons plot them: whole-number
// ones for button 0, one every half unit of x for button 1.
#include <cmath>

#include "core/exact_line.h"
#include "core/plot.h"

using platform::CInt;
using platform::CSng;
using platform::Reading;
using platform::RuntimeError;

namespace {

// The box to correct after an overflow: the one holding the largest number,
// or b when b is what makes the numbers large.
plot::Run overflowFailure(double a, double b, double c)
{
    plot::Run run;
    const double big = std::max({std::fabs(a), std::fabs(b), std::fabs(c)});
    if (!std::isfinite(big) || big >= 1.0e15) {
        run.cause = plot::Run::TooLarge;
        run.box = std::fabs(a) == big ? 0 : std::fabs(b) == big ? 1 : 2;
        return run;
    }
    run.cause = plot::Run::BNearZero;
    run.box = 1;
    return run;
}

}  // namespace

const char* plot::MessageOf(Run::Cause cause)
{
    switch (cause) {
    case Run::BIsZero:
        return "ｂが０なので、式をｙについて解くことができません。\n"
               "ｂには０でない数を入れてください。";
    case Run::BNearZero:
        return "ｂが０に近すぎて、点を打つことができません。\n"
               "ｂには、もっと０から離れた数を入れてください。";
    case Run::TooLarge:
        return "数が大きすぎて、点を打つことができません。\n"
               "ａ，ｂ，ｃには、もっと小さな数を入れてください。";
    case Run::None: break;
    }
    return "";
}

plot::Run plot::Points(const Reading& ra, const Reading& rb, const Reading& rc, std::int16_t Index,
                       const Variant& originX, const Variant& originY, std::int16_t unitSize)
{
    const Variant a = ra.value, b = rb.value, c = rc.value;
    const Variant step = Index == 0 ? Variant(1) : Variant(0.5);
    const int count = Index == 0 ? 77 : 153;

    // Every point of the run is computed before anything is drawn or stored,
    // so that a run that cannot plot changes nothing.
    Run run;
    try {
        // The same for every x of the run.
        const Variant s = (a * -1) / b;
        const Variant t = c / b;
        Variant x = -38;
        for (int n = 0; n < count; ++n, x = x + step) {
            const float y = CSng(s * x + t);
            const bool whole = std::floor(y) == y;
            // Both runs record their first two points whose x and y are whole,
            // and truly so, so that the line through them is the line of the
            // typed equation (a y that only rounds to a whole number, or
            // coefficients that are no exact decimals, record nothing).
            if (whole && Int(x) == x && run.found != 9 &&
                exact_line::PointOnLine(ra, rb, rc, x.value(), y) == exact_line::OnLine::Yes) {
                if (run.found == 1) {
                    run.x2 = x;
                    run.y2 = y;
                    run.found = 9;
                }
                if (run.found == 0) {
                    run.x1 = x;
                    run.y1 = y;
                    run.found = 1;
                }
            }
            if ((whole && step == 1) || Index == 1) {
                const float X = CSng(originX + Variant(unitSize) * x);
                const float p = CSng(Variant(static_cast<float>(unitSize)) * Variant(y));
                const float Y = CSng(originY - Variant(p));
                run.markers[static_cast<std::size_t>(run.shown++)] = {X, Y};
            }
        }
    } catch (const RuntimeError&) {
        if (b == 0) {
            Run failed;
            failed.cause = Run::BIsZero;
            failed.box = 1;
            return failed;
        }
        return overflowFailure(a.value(), b.value(), c.value());
    }
    return run;
}

