// The third lesson's start and its reset to the initial screen (the plane
// panel starts, resets and ends the window; these are the lesson's own parts
// of it), and the four boxes: Enter leads x₁ → y₁ → x₂ → y₂ → 「２点をとる」.
#include "twopoints/form3.h"

Form3::Form3() : Panel(static_cast<lessons::PlaneState&>(*this), kTitle) { BuildLayout(); }

Form3::~Form3() = default;

std::vector<platform::TextBox*> Form3::ProblemBoxes() { return {&Text1(0), &Text1(1), &Text1(2), &Text1(3)}; }

void Form3::LoadLesson() { Restart(); }

void Form3::ClearLesson()
{
    for (std::int16_t i = 0; i < 4; ++i) Text1(i).Text("");
    Restart();
    Text1(0).SetFocus();
}

void Form3::Restart()
{
    step = 0;
    aAlone = 0;
    work = {};
    for (std::int16_t i = 0; i < 3; ++i) Label8(i).Visible(false);
    for (std::int16_t i = 0; i < 11; ++i) Label9(i).Visible(false);
    for (std::int16_t i = 0; i < 9; ++i) Label11(i).Visible(false);
    for (std::int16_t i = 0; i < 5; ++i) Label12(i).Visible(false);
    for (std::int16_t i = 0; i < 10; ++i) Label4(i).Visible(false);
    for (std::int16_t i = 0; i < 4; ++i) Line2(i).Visible(false);
    for (std::int16_t i = 0; i < 2; ++i) {
        Line3(i).Visible(false);
        Line1(i).Visible(false);
    }
    Label10.Visible(false);
    Label13.Visible(false);
    Command7.Visible(false);
    Command4(1).Enabled(false);
    Command5.Enabled(false);
    Command6.Enabled(false);
}

void Form3::Text1_KeyPress(std::int16_t Index, std::int16_t& keyCode)
{
    if (keyCode != 13) return;
    if (Index < 3) Text1(std::int16_t(Index + 1)).SetFocus();
    else Command4(0).SetFocus();
}
