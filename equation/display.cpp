// "式を表示": the equation of the drawn line solved for y, built from the ten
// labels and the two fraction bars.
#include "app/form1.h"
#include "core/equation.h"

void Form1::Command6_Click()
{
    if (!equation::Show(*this, Label4, 0, Line1, 0)) platform::MsgBox("この直線の式は、数が大きすぎて表示できません。");
    Command2.SetFocus();
}
