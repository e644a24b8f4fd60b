// "点を打つ" and "さらに点を打つ": the points of a·x + b·y = c, whole-number
// ones for button 0, one every half unit of x for button 1.
#include "app/form1.h"
#include "core/plot.h"

using platform::Reading;

void Form1::Command4_Click(std::int16_t Index)
{
    // The boxes cannot change while the handler runs: read them once.
    const Reading ra = platform::ReadNumber(Text1(0).Text());
    const Reading rb = platform::ReadNumber(Text1(1).Text());
    const Reading rc = platform::ReadNumber(Text1(2).Text());
    const plot::Run run = plot::Points(ra, rb, rc, Index, originX, originY, unitSize);

    if (run.cause != plot::Run::None) {
        plotFailed = 1;
        platform::MsgBox(plot::MessageOf(run.cause));
        plot::Correct(Text1(run.box));
        return;
    }
    plotFailed = 0;

    for (int i = 0; i < run.shown; ++i) {
        const plot::Marker& m = run.markers[static_cast<std::size_t>(i)];
        Picture1.Circle(m.X, m.Y, 3);
    }

    // The points and the equation of this run, for the whole line.
    plot::Keep(*this, run, ra, rb, rc);

    Command5.Enabled(true);
    if (Index == 0) {
        pointsShown = 1;
        Command4(1).SetFocus();
    } else {
        morePointsShown = 1;
        Command5.SetFocus();
    }
}
