// "点を打つ" and "さらに点を打つ": the points of a·x + b·y = c, whole-number
// ones for button 0, one every half unit of x for button 1.
#include <array>
#include <cmath>

#include "app/form1.h"
#include "plot/exact_line.h"

using platform::CInt;
using platform::CSng;
using platform::Reading;
using platform::RuntimeError;

namespace {

constexpr int kMaxPoints = 153;  // x = −38 … 38 by halves

struct Marker {
    float X, Y;  // pixel centre
};

// Why a run could not plot, and which box the learner should correct.
struct Failure {
    enum Cause { None, BIsZero, BNearZero, TooLarge } cause = None;
    std::int16_t box = 0;
};

const char* messageOf(Failure::Cause cause)
{
    switch (cause) {
    case Failure::BIsZero:
        return "ｂが０なので、式をｙについて解くことができません。\n"
               "ｂには０でない数を入れてください。";
    case Failure::BNearZero:
        return "ｂが０に近すぎて、点を打つことができません。\n"
               "ｂには、もっと０から離れた数を入れてください。";
    case Failure::TooLarge:
        return "数が大きすぎて、点を打つことができません。\n"
               "ａ，ｂ，ｃには、もっと小さな数を入れてください。";
    case Failure::None: break;
    }
    return "";
}

// The box to correct after an overflow: the one holding the largest number,
// or b when b is what makes the numbers large.
Failure overflowFailure(double a, double b, double c)
{
    const double big = std::max({std::fabs(a), std::fabs(b), std::fabs(c)});
    if (!std::isfinite(big) || big >= 1.0e15) {
        if (std::fabs(a) == big) return {Failure::TooLarge, 0};
        if (std::fabs(b) == big) return {Failure::TooLarge, 1};
        return {Failure::TooLarge, 2};
    }
    return {Failure::BNearZero, 1};
}

}  // namespace

void Form1::Command4_Click(std::int16_t Index)
{
    // The boxes cannot change while the handler runs: read them once.
    const Reading ra = platform::ReadNumber(Text1(0).Text());
    const Reading rb = platform::ReadNumber(Text1(1).Text());
    const Reading rc = platform::ReadNumber(Text1(2).Text());
    const Variant a = ra.value, b = rb.value, c = rc.value;

    const Variant step = Index == 0 ? Variant(1) : Variant(0.5);
    const int count = Index == 0 ? 77 : 153;

    // Every point of the run is computed before anything is drawn or stored,
    // so that a run that cannot plot changes nothing.
    std::array<Marker, kMaxPoints> markers;
    int shown = 0;
    Variant found = 0;
    Variant x1, x2;
    float y1 = 0, y2 = 0;
    Failure failure;
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
            if (whole && Int(x) == x && found != 9 &&
                exact_line::PointOnLine(ra, rb, rc, x.value(), y) == exact_line::OnLine::Yes) {
                if (found == 1) {
                    x2 = x;
                    y2 = y;
                    found = 9;
                }
                if (found == 0) {
                    x1 = x;
                    y1 = y;
                    found = 1;
                }
            }
            if ((whole && step == 1) || Index == 1) {
                const float X = CSng(originX + Variant(unitSize) * x);
                const float p = CSng(Variant(static_cast<float>(unitSize)) * Variant(y));
                const float Y = CSng(originY - Variant(p));
                markers[static_cast<std::size_t>(shown++)] = {X, Y};
            }
        }
    } catch (const RuntimeError&) {
        if (b == 0)
            failure = {Failure::BIsZero, 1};
        else
            failure = overflowFailure(a.value(), b.value(), c.value());
    }

    if (failure.cause != Failure::None) {
        plotFailed = 1;
        platform::MsgBox(messageOf(failure.cause));
        platform::TextBox& box = Text1(failure.box);
        box.SetFocus();
        box.SelStart(0);
        box.SelLength(platform::Characters(box.Text()));
        return;
    }
    plotFailed = 0;

    for (int i = 0; i < shown; ++i) {
        const Marker& m = markers[static_cast<std::size_t>(i)];
        Picture1.Circle(m.X, m.Y, 3);
    }

    // The points and the equation of this run, for the whole line.
    if (found != 0) {
        firstX = CInt(x1);
        firstY = y1;
    }
    if (found == 9) {
        secondX = CInt(x2);
        secondY = y2;
    }
    wholePointsFound = found == 9 ? 2 : CInt(found);
    runA = ra;
    runB = rb;
    runC = rc;

    Command5.Enabled(true);
    if (Index == 0) {
        pointsShown = 1;
        Command4(1).SetFocus();
    } else {
        morePointsShown = 1;
        Command5.SetFocus();
    }
}
