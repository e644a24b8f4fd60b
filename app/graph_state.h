// The variables of the main window that every handler shares.
#pragma once

#include <cstdint>

#include "core/plane_state.h"
#include "platform/numtext.h"
#include "platform/variant.h"

using platform::Variant;

// originX, originY, unitSize, dragLastX, dragLastY and dragging are the
// plane's, as every lesson keeps it (lessons::PlaneState).
struct GraphState : lessons::PlaneState {
    Variant firstX;                // the first whole-number point of the last run
    Variant firstY;
    Variant secondX;               // the second one
    float secondY = 0;
    Variant slopeNum;              // slope of the drawn line; slopeDen 0 marks a vertical line
    Variant slopeDen;
    Variant interceptNum;          // y-intercept; for a vertical line its x
    std::int16_t interceptDen = 0;
    Variant pointsShown;           // 1 once "点を打つ" has plotted
    Variant morePointsShown;       // 1 once "さらに点を打つ" has plotted
    std::int16_t lineShown = 0;    // 1 once "すべての点を打つ" has drawn the line

    // What the last plotting run (either button) found, so that the whole line
    // is always the line of the equation last plotted:
    std::int16_t wholePointsFound = 0;  // whole-number points it stored: 0, 1 or 2
    platform::Reading runA, runB, runC;  // the coefficients it read
    std::int16_t plotFailed = 0;         // 1 when the last run could not plot
    std::int16_t equationTooLarge = 0;   // 1 when the line's fractions are too large to show
    std::int16_t lineOnPlane = 0;        // 1 while the red line is on the picture

    // Brings slopeNum / slopeDen and interceptNum / interceptDen to lowest
    // terms by trial division (a procedure of the window, Form1's through
    // this state, which is all it needs).
    void ReduceFractions();
};
