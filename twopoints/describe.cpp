// What the third lesson's window shows, in words, for assistive technology:
// what is on the plane now, and the working read as three texts.
#include <cmath>

#include "core/speech.h"
#include "twopoints/form3.h"

namespace {

std::string slotsSaid(const platform::ControlArray<platform::Label, 10>& Label4)
{
    std::array<std::string, 10> shown;
    for (std::int16_t i = 0; i < 10; ++i)
        if (Label4(i).Visible()) shown[std::size_t(i)] = Label4(i).Caption();
    return speech::OfSlots(shown);
}

}  // namespace

std::string Form3::PlaneShows() const
{
    if (marksOnPlane == 0) return "点はとっていません。";
    if (aAlone == 1) return "点Ａ（" + twopoints::PointSaid(tapX, tapY) + "）をとってあります。";
    std::string text = "点Ａ（" + twopoints::PointSaid(work.x1, work.y1) + "）と点Ｂ（" +
                       twopoints::PointSaid(work.x2, work.y2) + "）をとってあります。";
    // Whether a point lies outside the picture.
    const auto outside = [this](const twopoints::Decimal& x, const twopoints::Decimal& y) {
        const double X = platform::CDbl(originX) + unitSize * (double(x.digits) / std::pow(10.0, x.places));
        const double Y = platform::CDbl(originY) - unitSize * (double(y.digits) / std::pow(10.0, y.places));
        return X < 0 || Y < 0 || X > Picture1.Width() || Y > Picture1.Height();
    };
    const bool aOut = outside(work.x1, work.y1), bOut = outside(work.x2, work.y2);
    if (aOut && bOut) text += "点Ａと点Ｂは、見えている範囲の外です。";
    else if (aOut) text += "点Ａは、見えている範囲の外です。";
    else if (bOut) text += "点Ｂは、見えている範囲の外です。";
    if (marksOnPlane >= 2) text += twopoints::IncreasesSaid(work);
    if (marksOnPlane >= 3) {
        text += "２点を通る直線（赤）が引いてあります。";
        if (ringOnPlane == 1) text += "直線とｙ軸が交わる点に印があります。";
    }
    if (marksOnPlane >= 4) text += "直線の式は、" + slotsSaid(Label4) + "です。";
    return text;
}

void Form3::DescribeLesson()
{
    const std::array<std::string, 3> read{
        step >= 2 ? twopoints::RateSaid(work) : std::string(),
        step >= 4 ? twopoints::WorkingSaid(work, slotsSaid(Label4)) : std::string(),
        step >= 4 ? twopoints::FormSaid(work) : std::string()};
    if (read == lastRead_) return;
    lastRead_ = read;
    RateReading.Text(read[0]);
    EquationReading.Text(read[1]);
    FormReading.Text(read[2]);
}

std::string Form3::PlaneFileName() const
{
    if (step >= 1) return twopoints::FileName(2, work.x1, work.y1, work.x2, work.y2);
    if (aAlone == 1) return twopoints::FileName(1, tapX, tapY);
    return twopoints::FileName(0, {}, {});
}
