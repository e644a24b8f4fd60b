// The second lesson's start, its reset to the initial screen, its end, and the
// six boxes: Enter leads from a₁ to c₂ and on to "点を打つ".
#include "system/form2.h"

Form2::Form2() { BuildLayout(); }

Form2::~Form2() { platform::ForgetAfterEachEvent(describer_); }

void Form2::Start(const std::vector<std::string>& problem)
{
    platform::SetInspector([this] { return StateText(); });
    platform::Deliver([this] { Form_Load(); });
    Show();
    if (!problem.empty()) PoseProblem(problem);
}

void Form2::PoseProblem(const std::vector<std::string>& texts)
{
    for (std::int16_t i = 0; i <= 5; ++i) Text1(i).Text(std::size_t(i) < texts.size() ? texts[std::size_t(i)] : "");
    Command4(0).SetFocus();
}

void Form2::Form_Load()
{
    Caption(kTitle);
    Picture1.FontSize(20);
    originX = 300;
    originY = 300;
    unitSize = 22;
    dragging = 0;
    DrawPlane();
    Command5.Enabled(false);
    Command6.Enabled(false);
    ClearSolution();
}

void Form2::Command2_Click()
{
    originX = 300;
    originY = 300;
    dragging = 0;
    pointsShown = 0;
    morePointsShown = 0;
    lineShown = 0;
    solutionShown = 0;
    line = {};
    meeting = {};
    solution = {};
    for (std::int16_t i = 0; i <= 5; ++i) Text1(i).Text("");
    ClearSolution();
    DrawPlane();
    Command5.Enabled(false);
    Command6.Enabled(false);
    Text1(0).SetFocus();
}

void Form2::Command1_Click() { platform::End(); }

void Form2::Text1_KeyPress(std::int16_t Index, std::int16_t& keyCode)
{
    if (keyCode != 13) return;
    if (Index < 5) Text1(std::int16_t(Index + 1)).SetFocus();
    else Command4(0).SetFocus();
}
