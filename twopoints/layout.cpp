// The third lesson's window: the plane panel, the two points in boxes that
// read as Ａ（x₁，y₁） and Ｂ（x₂，y₂）, the four steps two by two, and the
// working below them, each block 44 pixels high (numerators, the line of the
// block, the bar, denominators), as the second lesson shows its equations.
#include "core/layout.h"
#include "twopoints/form3.h"

using namespace platform;
using namespace layout;

void Form3::BuildLayout()
{
    BuildPanel();

    const FontSpec name{20.25f, true};
    const FontSpec small{12.0f, true};
    const FontSpec step{14.25f, true};
    const FontSpec shown{16.0f, true};
    const auto centred = Label::Align::Center;
    label(Label6, "２点Ａ，Ｂの座標を\n入力しましょう", 648, 124, 225, 44, step, Label::Align::Left, kYellow);

    // The two rows: Ａ（ x₁ ， y₁ ） and Ｂ（ x₂ ， y₂ ）.
    const char* const points[] = {"Ａ（", "Ｂ（"};
    for (std::int16_t row = 0; row < 2; ++row) {
        const int top = 170 + 46 * row;
        label(Label7(row), points[row], 648, top + 8, 40, 25, name);
        box(Text1(std::int16_t(2 * row)), 688, top, 70, 42);
        label(Label2(std::int16_t(2 * row)), "，", 758, top + 8, 16, 25, name);
        box(Text1(std::int16_t(2 * row + 1)), 774, top, 70, 42);
        label(Label2(std::int16_t(2 * row + 1)), "）", 844, top + 8, 18, 25, name);
    }

    button(Command4(0), "２点をとる", 640, 262, 113, 33, small);
    button(Command4(1), "変化の割合", 760, 262, 113, 33, small);
    button(Command5, "直線を引く", 640, 298, 113, 33, small);
    button(Command6, "式を求める", 760, 298, 113, 33, small);

    // 変化の割合＝ (ｙの増加量)／(ｘの増加量).
    label(Label8(0), "変化の割合＝", 640, 346, 130, 26, shown);
    label(Label8(1), "ｙの増加量", 770, 334, 90, 20, small, centred);
    label(Label8(2), "ｘの増加量", 770, 358, 90, 20, small, centred);
    Line2(0).Place(774, 357, 856, 357, 2, kWhite);

    // ＝ (y₂－y₁)／(x₂－x₁) ＝ Δy／Δx ＝ the 変化の割合 in lowest terms.
    int top = 380;
    label(Label9(0), "＝", 640, top + 12, 18, 26, shown);
    label(Label9(1), "", 658, top, 90, 20, shown, centred);
    label(Label9(2), "", 658, top + 24, 90, 20, shown, centred);
    label(Label9(3), "＝", 748, top + 12, 18, 26, shown);
    label(Label9(4), "", 766, top, 40, 20, shown, centred);
    label(Label9(5), "", 766, top + 24, 40, 20, shown, centred);
    label(Label9(6), "＝", 806, top + 12, 18, 26, shown);
    label(Label9(7), "", 824, top + 12, 13, 26, shown);
    label(Label9(8), "", 837, top + 12, 36, 26, shown, centred);
    label(Label9(9), "", 837, top, 36, 20, shown, centred);
    label(Label9(10), "", 837, top + 24, 36, 20, shown, centred);
    Line2(1).Place(662, top + 23, 744, top + 23, 2, kWhite);
    Line2(2).Place(770, top + 23, 802, top + 23, 2, kWhite);
    Line2(3).Place(840, top + 23, 870, top + 23, 2, kWhite);
    label(Label10, "", 640, 428, 233, 88, small);

    // The 切片: y₁＝(傾き)×x₁＋ｂ, then ｂ＝….
    top = 426;
    label(Label11(0), "", 640, top + 12, 40, 26, shown, centred);
    label(Label11(1), "＝", 680, top + 12, 18, 26, shown);
    label(Label11(2), "", 698, top + 12, 13, 26, shown);
    label(Label11(3), "", 711, top + 12, 32, 26, shown, centred);
    label(Label11(4), "", 711, top, 32, 20, shown, centred);
    label(Label11(5), "", 711, top + 24, 32, 20, shown, centred);
    label(Label11(6), "×", 743, top + 12, 18, 26, shown);
    label(Label11(7), "", 761, top + 12, 62, 26, shown);
    label(Label11(8), "＋ｂ", 823, top + 12, 34, 26, shown);
    Line3(0).Place(714, top + 23, 740, top + 23, 2, kWhite);
    top = 472;
    label(Label12(0), "ｂ＝", 640, top + 12, 34, 26, shown);
    label(Label12(1), "", 674, top + 12, 13, 26, shown);
    label(Label12(2), "", 687, top + 12, 44, 26, shown, centred);
    label(Label12(3), "", 687, top, 44, 20, shown, centred);
    label(Label12(4), "", 687, top + 24, 44, 20, shown, centred);
    Line3(1).Place(692, top + 23, 726, top + 23, 2, kWhite);

    // The equation: the first lesson's ten slots, as the second lesson places
    // them, 22 pixels further left.
    top = 518;
    label(Label4(3), "", 684, top, 32, 20, shown, centred);
    label(Label4(8), "", 746, top, 51, 20, shown, centred);
    label(Label4(0), "", 640, top + 12, 38, 26, shown);
    label(Label4(1), "", 671, top + 12, 13, 26, shown);
    label(Label4(2), "", 684, top + 12, 32, 26, shown, centred);
    label(Label4(5), "", 715, top + 12, 20, 26, shown);
    label(Label4(6), "", 734, top + 12, 20, 26, shown);
    label(Label4(7), "", 753, top + 12, 44, 26, shown, centred);
    label(Label4(4), "", 684, top + 24, 32, 20, shown, centred);
    label(Label4(9), "", 753, top + 24, 32, 20, shown, centred);
    Line1(0).Place(690, top + 23, 715, top + 23, 2, kWhite);
    Line1(1).Place(760, top + 23, 785, top + 23, 2, kWhite);

    label(Label13, "", 640, 567, 149, 26, shown);
    button(Command7, "確かめる", 793, 563, 80, 33, small);

    // Names for assistive technology.
    const char* const boxNames[] = {"Ａのｘ座標", "Ａのｙ座標", "Ｂのｘ座標", "Ｂのｙ座標"};
    for (std::int16_t i = 0; i < 4; ++i) Text1(i).AccessibleName(boxNames[i]);
    Command7.AccessibleName("２元１次方程式のグラフで確かめる");
    const char* const rateNames[] = {"", "ｙ２－ｙ１", "ｘ２－ｘ１", "", "ｙの増加量", "ｘの増加量",
                                     "", "変化の割合の符号", "変化の割合", "変化の割合の分子", "変化の割合の分母"};
    for (std::int16_t i = 0; i < 11; ++i)
        if (*rateNames[i]) Label9(i).FallbackName(rateNames[i]);
    const char* const workNames[] = {"ｙ１", "", "傾きの符号", "傾き", "傾きの分子", "傾きの分母", "", "ｘ１", ""};
    for (std::int16_t i = 0; i < 9; ++i)
        if (*workNames[i]) Label11(i).FallbackName(workNames[i]);
    const char* const bNames[] = {"", "切片の符号", "切片", "切片の分子", "切片の分母"};
    for (std::int16_t i = 1; i < 5; ++i) Label12(i).FallbackName(bNames[i]);
    const char* const slotNames[] = {"式の左辺", "傾きの符号", "傾き", "傾きの分子", "傾きの分母",
                                     "ｘ", "切片の符号", "切片", "切片の分子", "切片の分母"};
    for (std::int16_t i = 0; i < 10; ++i) Label4(i).FallbackName(slotNames[i]);
    const char* const barNames[] = {"増加量の分数の線", "差の分数の線", "増加量の分数の線", "変化の割合の分数の線"};
    for (std::int16_t i = 0; i < 4; ++i) Line2(i).AccessibleName(barNames[i]);
    Line3(0).AccessibleName("傾きの分数の線");
    Line3(1).AccessibleName("切片の分数の線");
    Line1(0).AccessibleName("式の傾きの分数の線");
    Line1(1).AccessibleName("式の切片の分数の線");
    RateReading.Place(640, 334, 233, 90);
    EquationReading.Place(640, 426, 233, 136);
    FormReading.Place(640, 563, 149, 33);

    // Each control by its name, for the window system's tools.
    named(Label6, "Label6");
    named(Label10, "Label10");
    named(Label13, "Label13");
    named(Command5, "Command5");
    named(Command6, "Command6");
    named(Command7, "Command7");
    for (std::int16_t i = 0; i < 2; ++i) {
        named(Label7(i), "Label7", i);
        named(Command4(i), "Command4", i);
        named(Line3(i), "Line3", i);
        named(Line1(i), "Line1", i);
    }
    for (std::int16_t i = 0; i < 3; ++i) named(Label8(i), "Label8", i);
    for (std::int16_t i = 0; i < 4; ++i) {
        named(Text1(i), "Text1", i);
        named(Label2(i), "Label2", i);
        named(Line2(i), "Line2", i);
    }
    for (std::int16_t i = 0; i < 11; ++i) named(Label9(i), "Label9", i);
    for (std::int16_t i = 0; i < 9; ++i) named(Label11(i), "Label11", i);
    for (std::int16_t i = 0; i < 5; ++i) named(Label12(i), "Label12", i);
    for (std::int16_t i = 0; i < 10; ++i) named(Label4(i), "Label4", i);

    StackLightControls();
    TabOrder(Text1(0), Text1(1), Text1(2), Text1(3), Command4(0), Command4(1), Command5, Command6, Command7, Command2,
             Command3(0), Command3(1), Command3(2), Picture1, Command1);

    // Once each event is handled, what the window shows is told again in words.
    DescribeAfterEachEvent();

    // Which handler each event of the lesson's own controls reaches.
    for (std::int16_t i = 0; i < 4; ++i)
        Text1(i).OnKeyPress([this, i](std::int16_t& keyCode) { Text1_KeyPress(i, keyCode); });
    for (std::int16_t i = 0; i < 2; ++i) Command4(i).OnClick([this, i] { Command4_Click(i); });
    Command5.OnClick([this] { Command5_Click(); });
    Command6.OnClick([this] { Command6_Click(); });
    Command7.OnClick([this] { Command7_Click(); });
}
