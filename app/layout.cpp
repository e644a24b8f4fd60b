// The window and its 34 controls: places, sizes, captions, fonts, colours,
// tab order, and which handler each event reaches. The plane panel places its
// own (Picture1, Label5, Command2, Label1, Command3, Command1) where every
// lesson has them, and wires them.
#include "app/form1.h"
#include "core/layout.h"

using namespace platform;

using namespace layout;

void Form1::BuildLayout()
{
    BuildPanel();

    const FontSpec name{20.25f, true};
    const FontSpec lesson{12.0f, true};
    label(Label6, "ａ，ｂ，ｃの値を　　入力しましょう", 648, 128, 209, 57, {21.75f, true}, Label::Align::Left,
          kYellow);
    const FontSpec letter{20.25f, true, true};
    label(Label3(0), "ａ", 656, 190, 33, 33, letter);
    label(Label3(1), "ｂ", 752, 190, 33, 33, letter);
    label(Label3(2), "ｃ", 840, 190, 33, 33, letter);
    box(Text1(0), 648, 216, 41, 42);
    label(Label2(0), "χ＋", 688, 224, 57, 25, name);
    box(Text1(1), 744, 216, 41, 42);
    label(Label2(1), "ｙ＝", 792, 224, 57, 25, name);
    box(Text1(2), 832, 216, 41, 42);
    button(Command4(0), "点を打つ", 688, 272, 169, 33, lesson);
    button(Command4(1), "さらに点を打つ", 688, 312, 169, 33, lesson);
    button(Command5, "すべての点を打つ", 688, 352, 169, 33, {14.25f, true});
    button(Command6, "式を表示", 656, 424, 145, 33, {14.25f, true});

    const auto centred = Label::Align::Center;
    label(Label4(3), "", 728, 472, 41, 25, name, centred);
    label(Label4(8), "", 808, 472, 65, 25, name, centred);
    label(Label4(0), "", 672, 488, 49, 33, name);
    label(Label4(1), "", 712, 488, 17, 33, name);
    label(Label4(2), "", 728, 488, 41, 33, name, centred);
    label(Label4(5), "", 768, 488, 25, 33, name);
    label(Label4(6), "", 792, 488, 25, 33, name);
    label(Label4(7), "", 816, 488, 57, 33, name, centred);
    label(Label4(4), "", 728, 504, 41, 25, name, centred);
    label(Label4(9), "", 816, 504, 41, 25, name, centred);

    Line1(0).Place(736, 502, 768, 502, 3, kWhite);
    Line1(1).Place(824, 502, 856, 502, 3, kWhite);

    // Names for assistive technology; buttons and labels are named by their captions.
    const char* const boxNames[] = {"ａの値", "ｂの値", "ｃの値"};
    for (std::int16_t i = 0; i < 3; ++i) Text1(i).AccessibleName(boxNames[i]);
    const char* const slotNames[] = {"式の左辺", "傾きの符号", "傾き", "傾きの分子", "傾きの分母",
                                     "ｘ", "定数項の符号", "定数項", "定数項の分子", "定数項の分母"};
    for (std::int16_t i = 0; i < 10; ++i) Label4(i).FallbackName(slotNames[i]);
    Line1(0).AccessibleName("傾きの分数の線");
    Line1(1).AccessibleName("定数項の分数の線");
    // The equation is read as a whole, over the place of its slots.
    EquationReading.Place(672, 472, 201, 57);

    // Each control by its name in the layout, for the window system's tools.
    named(Command5, "Command5");
    named(Command6, "Command6");
    named(Label6, "Label6");
    for (std::int16_t i = 0; i < 2; ++i) {
        named(Label2(i), "Label2", i);
        named(Command4(i), "Command4", i);
        named(Line1(i), "Line1", i);
    }
    for (std::int16_t i = 0; i < 3; ++i) {
        named(Label3(i), "Label3", i);
        named(Text1(i), "Text1", i);
    }
    for (std::int16_t i = 0; i < 10; ++i) named(Label4(i), "Label4", i);

    StackLightControls();
    TabOrder(Text1(0), Command2, Command1, Picture1, Text1(1), Command4(0), Text1(2), Command4(1), Command5, Command6,
             Command3(0), Command3(1), Command3(2));

    // Once each event is handled, the plane's description is brought up to date.
    DescribeAfterEachEvent();

    // Which handler each event of the lesson's own controls reaches.
    for (std::int16_t i = 0; i < 3; ++i)
        Text1(i).OnKeyPress([this, i](std::int16_t& keyCode) { Text1_KeyPress(i, keyCode); });
    for (std::int16_t i = 0; i < 2; ++i) Command4(i).OnClick([this, i] { Command4_Click(i); });
    Command5.OnClick([this] { Command5_Click(); });
    Command6.OnClick([this] { Command6_Click(); });
}

