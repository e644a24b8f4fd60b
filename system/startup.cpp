// The second lesson's start and its reset to the initial screen (the plane
// panel starts, resets and ends the window; these are the lesson's own parts
// of it), and the six boxes: Enter leads from a₁ to c₂ and on to "点を打つ".
#include "system/form2.h"

Form2::Form2() : Panel(static_cast<lessons::PlaneState&>(*this), kTitle) { BuildLayout(); }

Form2::~Form2() = default;

std::vector<platform::TextBox*> Form2::ProblemBoxes()
{
    std::vector<platform::TextBox*> boxes;
    for (std::int16_t i = 0; i <= 5; ++i) boxes.push_back(&Text1(i));
    return boxes;
}

void Form2::LoadLesson()
{
    Command5.Enabled(false);
    Command6.Enabled(false);
    ClearSolution();
}

void Form2::ClearLesson()
{
    pointsShown = 0;
    morePointsShown = 0;
    lineShown = 0;
    solutionShown = 0;
    line = {};
    meeting = {};
    solution = {};
    for (std::int16_t i = 0; i <= 5; ++i) Text1(i).Text("");
    ClearSolution();
    Command5.Enabled(false);
    Command6.Enabled(false);
    Text1(0).SetFocus();
}

void Form2::Text1_KeyPress(std::int16_t Index, std::int16_t& keyCode)
{
    if (keyCode != 13) return;
    if (Index < 5) Text1(std::int16_t(Index + 1)).SetFocus();
    else Command4(0).SetFocus();
}
