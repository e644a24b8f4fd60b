// The plane as a picture for worksheets: Ctrl+C copies it to the clipboard,
// Ctrl+S saves it as a PNG file named after the equation typed; both twice as
// dense as the form, for print. Nothing else changes, also when the window
// system refuses.
#include <cmath>

#include "app/form1.h"
#include "plane/plane.h"

namespace {

constexpr double kPrintRatio = 2;

const char kNotCopied[] = "図をコピーできませんでした。\nかわりに、Ctrl＋S で画像として保存できます。";
const char kNotSaved[] = "図を保存できませんでした。\n保存する場所を変えて、もう一度ためしてください。";

// A number of the equation as it is written in a name: "2", "0.5", "-3".
std::string written(double v)
{
    std::string text = platform::NumberText(v);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    return text;
}

}  // namespace

void plane::Copy(platform::PictureBox& picture)
{
    picture.CopyImage(kPrintRatio, [](bool taken) {
        if (!taken) platform::MsgBox(kNotCopied);
    });
}

void plane::Save(platform::PictureBox& picture, const std::string& name)
{
    picture.SaveImage(kPrintRatio, name, [](bool taken) {
        if (!taken) platform::MsgBox(kNotSaved);
    });
}

// "2x+3y=6" for the texts 2, 3 and 6, as the boxes read them (「－０．５」 is
// -0.5); empty while no equation is typed (a and b both 0).
std::string plane::EquationName(const std::string& textA, const std::string& textB, const std::string& textC)
{
    const double a = platform::TextValue(textA), b = platform::TextValue(textB), c = platform::TextValue(textC);
    if ((a == 0 && b == 0) || !std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c)) return {};
    // A term: its coefficient's sign, the number unless it is 1, the letter.
    const auto term = [](double k, const char* letter, bool first) {
        std::string t = k < 0 ? "-" : first ? "" : "+";
        if (std::fabs(k) != 1) t += written(std::fabs(k));
        return t + letter;
    };
    std::string name;
    if (a != 0) name += term(a, "x", true);
    if (b != 0) name += term(b, "y", name.empty());
    return name + "=" + written(c);
}

void Form1::CopyPlane() { plane::Copy(Picture1); }

void Form1::SavePlane() { plane::Save(Picture1, PlaneFileName()); }

std::string Form1::PlaneFileName() const
{
    const std::string name = plane::EquationName(Text1(0).Text(), Text1(1).Text(), Text1(2).Text());
    return (name.empty() ? "座標平面" : name) + ".png";
}
