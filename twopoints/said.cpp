// The third lesson's readings for screen readers, said from the very texts
// the lesson writes, so that what is heard is what is shown.
#include <string_view>

#include "core/speech.h"
#include "twopoints/working.h"

namespace twopoints {

namespace {

// A text of the lesson as it is said: digits and full stop in full width,
// every sign a word (a speech engine reads 「－」 as a dash or not at all),
// line breaks left out.
std::string said(std::string_view written)
{
    std::string out;
    for (std::size_t i = 0; i < written.size();) {
        const std::string_view rest = written.substr(i);
        if (rest.starts_with("－")) {
            out += "マイナス";
            i += std::string_view("－").size();
        } else if (rest.starts_with("＋")) {
            out += "プラス";
            i += std::string_view("＋").size();
        } else {
            if (written[i] != '\n') out += written[i];
            ++i;
        }
    }
    return speech::Number(out);
}

std::string said(const Fraction& f)
{
    const FractionText t = TextOf(f);
    return said(t.minus) + speech::Number(t.whole.empty() ? t.num : t.whole, t.den);
}

}  // namespace

std::string RateSaid(const Working& w)
{
    const std::string rise = "ｙの増加量は" + said(Increase(w.dy)) + "、ｘの増加量は";
    if (w.vertical) return rise + "０。" + said(kVerticalStatement);
    return rise + said(Increase(w.dx)) + "、変化の割合は" + said(w.rate);
}

std::string WorkingSaid(const Working& w, const std::string& equationSaid)
{
    const std::string equation = "直線の式は" + equationSaid;
    if (w.vertical) return equation;
    return said(Written(w.y1)) + "＝" + said(w.rate) + "かける" + said(Written(w.x1)) + "プラスｂ、ｂ＝" +
           said(w.intercept) + "、" + equation;
}

std::string FormSaid(const Working& w) { return said(WholeForm(w)); }

std::string PointSaid(const Decimal& x, const Decimal& y)
{
    return "ｘ＝" + said(Written(x)) + "、ｙ＝" + said(Written(y));
}

std::string IncreasesSaid(const Working& w)
{
    const std::string along = "ＡからＢへの";
    const std::string x = "ｘの増加量" + said(Increase(w.dx)), y = "ｙの増加量" + said(Increase(w.dy));
    if (w.vertical) return along + "ｙの増加量を、線でかいてあります（" + y + "）。";
    if (w.dy.digits == 0) return along + "ｘの増加量を、線でかいてあります（" + x + "）。";
    return along + "増加量を、直角三角形でかいてあります（" + x + "、" + y + "）。";
}

}  // namespace twopoints
