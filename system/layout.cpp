// The second lesson's window and its controls: the first lesson's plane and
// buttons above it, two rows of boxes that read as the two equations, the
// four steps, and the equations and the intersection shown below them.
#include "core/layout.h"
#include "system/form2.h"

using namespace platform;
using namespace layout;

void Form2::BuildLayout()
{
    BuildPanel();

    const FontSpec name{20.25f, true};
    const FontSpec lesson{12.0f, true};
    const FontSpec step{14.25f, true};
    const FontSpec shown{16.0f, true};
    label(Label6, "①と②のａ，ｂ，ｃを\n入力しましょう", 648, 124, 225, 44, step, Label::Align::Left, kYellow);

    const FontSpec letter{20.25f, true, true};
    label(Label3(0), "ａ", 662, 170, 33, 33, letter);
    label(Label3(1), "ｂ", 756, 170, 33, 33, letter);
    label(Label3(2), "ｃ", 840, 170, 33, 33, letter);
    // The two rows, 48 pixels apart: ① a₁ χ＋ b₁ ｙ＝ c₁, ② a₂ χ＋ b₂ ｙ＝ c₂.
    const char* const numbers[] = {"①", "②"};
    for (std::int16_t row = 0; row < 2; ++row) {
        const int top = 196 + 48 * row;
        label(Label7(row), numbers[row], 640, top + 7, 22, 30, {16.0f, true});
        box(Text1(std::int16_t(3 * row)), 662, top, 41, 42);
        label(Label2(std::int16_t(2 * row)), "χ＋", 704, top + 8, 50, 25, name);
        box(Text1(std::int16_t(3 * row + 1)), 756, top, 41, 42);
        label(Label2(std::int16_t(2 * row + 1)), "ｙ＝", 798, top + 8, 40, 25, name);
        box(Text1(std::int16_t(3 * row + 2)), 834, top, 41, 42);
    }

    button(Command4(0), "点を打つ", 688, 294, 169, 33, lesson);
    button(Command4(1), "さらに点を打つ", 688, 330, 169, 33, lesson);
    button(Command5, "すべての点を打つ", 688, 366, 169, 33, step);
    button(Command6, "交点を求める", 688, 402, 169, 33, step);

    // Each equation shown: the first lesson's ten slots, at 16 points, in a
    // block 44 pixels high (numerators, the line, the bar, denominators).
    const auto centred = Label::Align::Center;
    for (std::int16_t e = 0; e < 2; ++e) {
        const int top = 438 + 46 * e;
        label(Label8(e), numbers[e], 640, top + 12, 22, 26, shown);
        label(Label4(std::int16_t(10 * e + 3)), "", 706, top, 32, 20, shown, centred);
        label(Label4(std::int16_t(10 * e + 8)), "", 768, top, 51, 20, shown, centred);
        label(Label4(std::int16_t(10 * e + 0)), "", 662, top + 12, 38, 26, shown);
        label(Label4(std::int16_t(10 * e + 1)), "", 693, top + 12, 13, 26, shown);
        label(Label4(std::int16_t(10 * e + 2)), "", 706, top + 12, 32, 26, shown, centred);
        label(Label4(std::int16_t(10 * e + 5)), "", 737, top + 12, 20, 26, shown);
        label(Label4(std::int16_t(10 * e + 6)), "", 756, top + 12, 20, 26, shown);
        label(Label4(std::int16_t(10 * e + 7)), "", 775, top + 12, 44, 26, shown, centred);
        label(Label4(std::int16_t(10 * e + 4)), "", 706, top + 24, 32, 20, shown, centred);
        label(Label4(std::int16_t(10 * e + 9)), "", 775, top + 24, 32, 20, shown, centred);
        Line1(std::int16_t(2 * e)).Place(712, top + 23, 737, top + 23, 2, kWhite);
        Line1(std::int16_t(2 * e + 1)).Place(782, top + 23, 807, top + 23, 2, kWhite);
    }

    // The intersection, in the same style: （ｘ，ｙ）＝（x，y）.
    const int top = 532;
    label(Label9(0), "（ｘ，ｙ）＝（", 640, top + 12, 100, 26, shown);
    label(Label9(1), "", 740, top + 12, 13, 26, shown);
    label(Label9(2), "", 752, top + 12, 40, 26, shown, centred);
    label(Label9(3), "", 752, top, 40, 20, shown, centred);
    label(Label9(4), "", 752, top + 24, 40, 20, shown, centred);
    label(Label9(5), "，", 792, top + 12, 12, 26, shown);
    label(Label9(6), "", 804, top + 12, 13, 26, shown);
    label(Label9(7), "", 816, top + 12, 40, 26, shown, centred);
    label(Label9(8), "", 816, top, 40, 20, shown, centred);
    label(Label9(9), "", 816, top + 24, 40, 20, shown, centred);
    label(Label9(10), "）", 856, top + 12, 17, 26, shown);
    Line2(0).Place(756, top + 23, 788, top + 23, 2, kWhite);
    Line2(1).Place(820, top + 23, 852, top + 23, 2, kWhite);
    label(Label10, "", 640, 530, 233, 70, lesson);


    // Names for assistive technology.
    const char* const boxNames[] = {"①のａの値", "①のｂの値", "①のｃの値", "②のａの値", "②のｂの値", "②のｃの値"};
    for (std::int16_t i = 0; i < 6; ++i) Text1(i).AccessibleName(boxNames[i]);
    const char* const slotNames[] = {"式の左辺", "傾きの符号", "傾き", "傾きの分子", "傾きの分母",
                                     "ｘ", "定数項の符号", "定数項", "定数項の分子", "定数項の分母"};
    for (std::int16_t e = 0; e < 2; ++e)
        for (std::int16_t i = 0; i < 10; ++i)
            Label4(std::int16_t(10 * e + i)).FallbackName(std::string(numbers[e]) + "の" + slotNames[i]);
    const char* const pointNames[] = {"交点", "ｘの符号", "ｘ", "ｘの分子", "ｘの分母", "，",
                                      "ｙの符号", "ｙ", "ｙの分子", "ｙの分母", "）"};
    for (std::int16_t i = 1; i < 11; ++i) Label9(i).FallbackName(pointNames[i]);
    for (std::int16_t i = 0; i < 4; ++i) Line1(i).AccessibleName(std::string(numbers[i / 2]) + "の分数の線");
    Line2(0).AccessibleName("ｘの分数の線");
    Line2(1).AccessibleName("ｙの分数の線");
    EquationReading1.Place(640, 438, 233, 44);
    EquationReading2.Place(640, 484, 233, 44);
    SolutionReading.Place(640, 530, 233, 70);

    // Each control by its name, for the window system's tools.
    named(Command5, "Command5");
    named(Command6, "Command6");
    named(Label6, "Label6");
    named(Label10, "Label10");
    for (std::int16_t i = 0; i < 2; ++i) {
        named(Label7(i), "Label7", i);
        named(Label8(i), "Label8", i);
        named(Command4(i), "Command4", i);
        named(Line2(i), "Line2", i);
    }
    for (std::int16_t i = 0; i < 3; ++i) named(Label3(i), "Label3", i);
    for (std::int16_t i = 0; i < 4; ++i) {
        named(Label2(i), "Label2", i);
        named(Line1(i), "Line1", i);
    }
    for (std::int16_t i = 0; i < 6; ++i) named(Text1(i), "Text1", i);
    for (std::int16_t i = 0; i < 20; ++i) named(Label4(i), "Label4", i);
    for (std::int16_t i = 0; i < 11; ++i) named(Label9(i), "Label9", i);

    StackLightControls();
    TabOrder(Text1(0), Text1(1), Text1(2), Text1(3), Text1(4), Text1(5), Command4(0), Command4(1), Command5, Command6,
             Command2, Command3(0), Command3(1), Command3(2), Picture1, Command1);

    // Once each event is handled, what the window shows is told again in words.
    DescribeAfterEachEvent();

    // Which handler each event of the lesson's own controls reaches.
    for (std::int16_t i = 0; i < 6; ++i)
        Text1(i).OnKeyPress([this, i](std::int16_t& keyCode) { Text1_KeyPress(i, keyCode); });
    for (std::int16_t i = 0; i < 2; ++i) Command4(i).OnClick([this, i] { Command4_Click(i); });
    Command5.OnClick([this] { Command5_Click(); });
    Command6.OnClick([this] { Command6_Click(); });
}
