// What the second lesson's window shows, in words, for assistive technology:
// the plane and its marks, the size chosen, each equation shown and the
// intersection, each read as one text.
#include "core/speech.h"
#include "system/form2.h"

std::string Form2::PlaneShows() const
{
    const int dots = Picture1.DotsShown();
    std::string text = dots == 0 ? "点は打っていません。" : "①と②の点が、あわせて" + std::to_string(dots) + "個打ってあります。";
    // Only what the picture shows now: a run that could not plot again after
    // a change of size or a drag leaves the plane empty.
    text += linesOnPlane == 1 ? "①の直線（赤）と②の直線（青）が引いてあります。" : "直線は引いていません。";
    if (ringOnPlane == 1) text += "交点に印があります。";
    if (ringOnPlane == 2) text += "交点は、いま見えている範囲の外にあります。";
    return text;
}

void Form2::DescribeSolution()
{
    std::array<std::string, 3> read;
    for (std::int16_t e = 0; e < 2; ++e) {
        std::array<std::string, 10> shown;
        for (std::int16_t i = 0; i < 10; ++i) {
            platform::Label& slot = Label4(std::int16_t(10 * e + i));
            if (slot.Visible()) shown[std::size_t(i)] = slot.Caption();
        }
        const std::string said = speech::OfSlots(shown);
        read[std::size_t(e)] = said.empty() ? said : Label8(e).Caption() + "　" + said;
    }
    if (Label10.Visible()) read[2] = Label10.Caption();
    else if (Label9(0).Visible()) read[2] = intersection::Said(solution);
    if (read == lastRead_) return;
    lastRead_ = read;
    EquationReading1.Text(read[0]);
    EquationReading2.Text(read[1]);
    SolutionReading.Text(read[2]);
}
