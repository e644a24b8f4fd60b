// Start-up, the reset to the initial screen, and the end.
#include "app/form1.h"

Form1::Form1() { BuildLayout(); }

Form1::~Form1() { platform::ForgetAfterEachEvent(describer_); }

void Form1::Start(const std::vector<std::string>& problem)
{
    platform::SetInspector([this] { return StateText(); });
    platform::Deliver([this] { Form_Load(); });
    Show();
    if (!problem.empty()) PoseProblem(problem);
}

void Form1::PoseProblem(const std::vector<std::string>& texts)
{
    for (std::int16_t i = 0; i <= 2; ++i) Text1(i).Text(std::size_t(i) < texts.size() ? texts[std::size_t(i)] : "");
    Command4(0).SetFocus();
}

void Form1::Form_Load()
{
    Caption(kTitle);
    Picture1.FontSize(20);
    originX = 300;
    originY = 300;
    unitSize = 22;
    slopeNum = 0;
    slopeDen = 0;
    interceptNum = 0;
    interceptDen = 0;
    dragging = 0;
    DrawPlane();
    Command5.Enabled(false);
    Command6.Enabled(false);
    Line1(0).Visible(false);
    Line1(1).Visible(false);
}

void Form1::Command2_Click()
{
    originX = 300;
    originY = 300;
    slopeNum = 0;
    slopeDen = 0;
    interceptNum = 0;
    interceptDen = 0;
    dragging = 0;
    pointsShown = 0;
    morePointsShown = 0;
    lineShown = 0;
    for (std::int16_t i = 0; i <= 2; ++i) Text1(i).Text("");
    for (std::int16_t j = 0; j <= 9; ++j) Label4(j).Caption("");
    Line1(0).Visible(false);
    Line1(1).Visible(false);
    DrawPlane();
    Command5.Enabled(false);
    Command6.Enabled(false);
    Text1(0).SetFocus();
}

void Form1::Command1_Click() { platform::End(); }
