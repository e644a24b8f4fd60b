// "式を表示": the equation of the drawn line solved for y, built from the ten
// labels and the two fraction bars.
#include "app/form1.h"

using platform::Abs;
using platform::NumberText;

void Form1::Command6_Click()
{
    auto show = [this](std::int16_t slot, const std::string& caption) {
        Label4(slot).Visible(true);
        Label4(slot).Caption(caption);
    };
    // A fraction: numerator over the bar over the denominator.
    auto fraction = [this](std::int16_t upper, std::int16_t lower, std::int16_t bar, const Variant& num,
                           const Variant& den) {
        Label4(upper).Visible(true);
        Label4(lower).Visible(true);
        Line1(bar).Visible(true);
        Label4(upper).Caption(NumberText(num));
        Label4(lower).Caption(NumberText(den));
    };

    for (std::int16_t i = 0; i <= 9; ++i) Label4(i).Visible(false);
    Line1(0).Visible(false);
    Line1(1).Visible(false);

    if (equationTooLarge == 1) {
        platform::MsgBox("この直線の式は、数が大きすぎて表示できません。");
        Command2.SetFocus();
        return;
    }

    const Variant den(interceptDen);
    if (slopeDen != 0) {
        slopeNum = slopeNum / slopeDen < 0 ? Variant(-1) * Abs(slopeNum) : Abs(slopeNum);
        slopeDen = Abs(slopeDen);
        interceptNum = interceptNum / den < 0 ? Variant(-1) * Abs(interceptNum) : Abs(interceptNum);
        interceptDen = platform::CInt(Abs(den));
        ReduceFractions();

        if (slopeNum != 0) {
            show(0, "ｙ＝");
            if (slopeNum < 0) show(1, "－");
            if (slopeDen > 1) fraction(3, 4, 0, Abs(slopeNum), slopeDen);
            if (slopeDen <= 1 && Abs(slopeNum) != 1) show(2, NumberText(Abs(slopeNum)));
            show(5, "ｘ");
            if (interceptNum < 0) show(6, "－");
            if (interceptNum > 0) show(6, "＋");
            if (interceptDen > 1 && interceptNum != 0)
                fraction(8, 9, 1, Abs(interceptNum), Variant(interceptDen));
            if (interceptDen == 1 && interceptNum != 0) show(7, NumberText(Abs(interceptNum)));
        }
        if (slopeNum == 0) {
            // A horizontal line: y = k.
            show(0, "ｙ＝");
            if (interceptNum < 0) show(1, "－");
            if (interceptDen > 1) fraction(3, 4, 0, Abs(interceptNum), Variant(interceptDen));
            if (interceptDen <= 1) show(2, NumberText(Abs(interceptNum)));
        }
    } else {
        // A vertical line: x = k, from the values as they are.
        show(0, "ｘ＝");
        if (interceptNum < 0) show(1, "－");
        if (interceptDen > 1) fraction(3, 4, 0, Abs(interceptNum), Variant(interceptDen));
        if (interceptDen <= 1) show(2, NumberText(Abs(interceptNum)));
    }
    Command2.SetFocus();
}
