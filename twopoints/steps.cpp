// The steps of the third lesson. 「２点をとる」 reads the four boxes once and
// works out everything the later steps show, checked before anything is
// drawn or kept; each later step shows more of what it kept, never reading
// the boxes again.
#include "core/lessons.h"
#include "core/plot.h"
#include "core/speech.h"
#include "twopoints/form3.h"

using twopoints::Fraction;
using twopoints::FractionText;
using twopoints::TextOf;

namespace {

// A fraction in its labels: the minus sign, then a whole number or a
// numerator over its bar over a denominator (each label given or null).
void showFraction(const Fraction& f, platform::Label* minus, platform::Label& whole, platform::Label& num,
                  platform::Label& den, platform::LineControl& bar, const char* lead = "")
{
    const FractionText t = TextOf(f);
    if (minus) {
        minus->Caption(t.minus);
        minus->Visible(!t.minus.empty());
    }
    const bool isWhole = !t.whole.empty();
    whole.Caption(lead + t.whole);
    whole.Visible(isWhole);
    num.Caption(lead + t.num);
    den.Caption(lead + t.den);
    num.Visible(!isWhole);
    den.Visible(!isWhole);
    bar.Visible(!isWhole);
}

}  // namespace

void Form3::Command4_Click(std::int16_t Index)
{
    if (Index == 1) {
        if (step < 2) step = 2;
        ShowRate();
        DrawPlane();
        ShowAgain();
        Command5.Enabled(true);
        Command5.SetFocus();
        return;
    }
    // The boxes cannot change while the handler runs: read them once.
    const twopoints::Working w =
        twopoints::Of(platform::ReadNumber(Text1(0).Text()), platform::ReadNumber(Text1(1).Text()),
                      platform::ReadNumber(Text1(2).Text()), platform::ReadNumber(Text1(3).Text()));
    if (w.fault != twopoints::Working::Fault::None) {
        // What was shown stays shown.
        platform::MsgBox(twopoints::MessageOf(w));
        plot::Correct(Text1(std::int16_t(w.box)));
        return;
    }
    Restart();
    work = w;
    step = 1;
    DrawPlane();
    ShowAgain();
    Command4(1).Enabled(true);
    Command4(1).SetFocus();
}

void Form3::Command5_Click()
{
    if (step < 3) step = 3;
    DrawPlane();
    ShowAgain();
    Command6.Enabled(true);
    Command6.SetFocus();
}

void Form3::Command6_Click()
{
    step = 4;
    ShowEquation();
    DrawPlane();
    ShowAgain();
    Command2.SetFocus();
}

// 「確かめる」: the first lesson, with this line's a, b and c typed into its boxes.
void Form3::Command7_Click()
{
    const lessons::Entry* first = &lessons::All().front();
    platform::LessonOpening opening{first->name, first->page, {}, {}};
    for (const char* n : first->problem) opening.names.push_back(n);
    opening.texts = {std::to_string(work.a), std::to_string(work.b), std::to_string(work.c)};
    platform::OpenLesson(opening);
}

// Step 2 beside the plane: 変化の割合 in words, then the subtractions, the
// increases and the 変化の割合 in lowest terms; where x₁ ＝ x₂ what the lesson
// says instead of the last.
void Form3::ShowRate()
{
    for (std::int16_t i = 0; i < 3; ++i) Label8(i).Visible(true);
    Line2(0).Visible(true);
    Label9(0).Visible(true);
    Label9(1).Caption(twopoints::Subtraction(work.y2, work.y1));
    Label9(2).Caption(twopoints::Subtraction(work.x2, work.x1));
    Label9(3).Visible(true);
    Label9(4).Caption(twopoints::Increase(work.dy));
    Label9(5).Caption(twopoints::Increase(work.dx));
    for (std::int16_t i : {1, 2, 4, 5}) Label9(i).Visible(true);
    Line2(1).Visible(true);
    Line2(2).Visible(true);
    Label9(6).Visible(!work.vertical);
    if (work.vertical) {
        for (std::int16_t i = 7; i <= 10; ++i) Label9(i).Visible(false);
        Line2(3).Visible(false);
        Label10.Caption(twopoints::kVerticalStatement);
        Label10.Visible(true);
        return;
    }
    showFraction(work.rate, &Label9(7), Label9(8), Label9(9), Label9(10), Line2(3));
}

// Step 4 beside the plane: the 切片 worked out by putting Ａ into
// ｙ＝(傾き)ｘ＋ｂ, ｂ, the equation in the first lesson's ten slots, and the
// same line as a·x＋b·y＝c with 「確かめる」 beside it.
void Form3::ShowEquation()
{
    for (std::int16_t i = 0; i < 10; ++i) Label4(i).Visible(false);
    Line1(0).Visible(false);
    Line1(1).Visible(false);
    const auto slot = [this](std::int16_t i, const std::string& caption) {
        Label4(i).Visible(true);
        Label4(i).Caption(caption);
    };
    if (work.vertical) {
        // ｘ＝h: its minus sign, then a whole number or a fraction.
        slot(0, "ｘ＝");
        showFraction(work.h, &Label4(1), Label4(2), Label4(3), Label4(4), Line1(0), " ");
    } else {
        Label11(0).Caption(twopoints::Written(work.y1));
        Label11(7).Caption(twopoints::InBrackets(work.x1));
        for (std::int16_t i : {0, 1, 6, 7, 8}) Label11(i).Visible(true);
        showFraction(work.rate, &Label11(2), Label11(3), Label11(4), Label11(5), Line3(0));
        Label12(0).Visible(true);
        showFraction(work.intercept, &Label12(1), Label12(2), Label12(3), Label12(4), Line3(1));

        // ｙ＝(傾き)ｘ＋(切片), as the first lesson writes it: a 傾き of 1 or −1
        // without its 1, a 切片 of 0 left out, a 傾き of 0 the 切片 alone.
        slot(0, "ｙ＝");
        if (work.rate.num == 0) {
            showFraction(work.intercept, &Label4(1), Label4(2), Label4(3), Label4(4), Line1(0), " ");
        } else {
            showFraction(work.rate, &Label4(1), Label4(2), Label4(3), Label4(4), Line1(0), " ");
            if (work.rate.den == 1 && (work.rate.num == 1 || work.rate.num == -1)) Label4(2).Visible(false);
            slot(5, "ｘ");
            if (work.intercept.num != 0) {
                slot(6, work.intercept.num < 0 ? "－" : "＋");
                showFraction(work.intercept, nullptr, Label4(7), Label4(8), Label4(9), Line1(1), " ");
            }
        }
    }
    Label13.Caption(twopoints::WholeForm(work));
    Label13.Visible(true);
    Command7.Visible(true);
}
