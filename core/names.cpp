// The names of the lines on the plane (①, ②), written beside each line where
// they can be read, found again whenever the plane is drawn afresh.
#include <cmath>

#include "core/plane.h"
#include "platform/clip.h"

namespace {

using platform::PictureBox;
using platform::Segment;

// Room around a name, in the picture's pixels: from the edges of the
// picture, from other texts, and from the middle of a line, which reaches
// further where points are marked on it (a ring of radius 7, 2 pixels wide,
// where both equations mark one).
constexpr double kEdge = 2;
constexpr double kApart = 4;
constexpr double kFromLine = 10;

bool overlaps(const PictureBox::Ink& a, const PictureBox::Ink& b, double apart)
{
    return a.left < b.right + apart && b.left < a.right + apart && a.top < b.bottom + apart &&
           b.top < a.bottom + apart;
}

// Whether the segment passes within `apart` of the box.
bool crosses(Segment s, const PictureBox::Ink& box, double apart)
{
    const double left = box.left - apart, top = box.top - apart;
    s.x1 -= left, s.x2 -= left, s.y1 -= top, s.y2 -= top;
    return platform::ClipSegment(s.x1, s.y1, s.x2, s.y2, 0, box.right + apart - left, box.bottom + apart - top);
}

}  // namespace

std::vector<Segment> plane::Axes(const PictureBox& picture, const Variant& originX, const Variant& originY)
{
    const double ox = platform::CDbl(originX), oy = platform::CDbl(originY);
    return {{0, oy, picture.Width(), oy}, {ox, 0, ox, picture.Height()}};
}

void plane::NameLine(PictureBox& picture, const std::string& name, platform::Color colour, const Segment& line,
                     const std::vector<Segment>& lines, const std::vector<PictureBox::Ink>& boxes)
{
    const double W = picture.Width(), H = picture.Height();
    // The part of the line in view.
    Segment seen = line;
    if (!platform::ClipSegment(seen.x1, seen.y1, seen.x2, seen.y2, 0, W, H)) return;
    const double length = std::hypot(seen.x2 - seen.x1, seen.y2 - seen.y1);
    if (length < 1) return;
    const double ux = (seen.x2 - seen.x1) / length, uy = (seen.y2 - seen.y1) / length;

    const PictureBox::Ink ink = picture.TextInk(name);
    const double w = ink.right - ink.left, h = ink.bottom - ink.top;
    // Off the line, on either side, by half the name's reach across it.
    const double off = kFromLine + (std::fabs(uy) * w + std::fabs(ux) * h) / 2;
    std::vector<PictureBox::Ink> taken = boxes;
    for (const PictureBox::Printed& t : picture.PrintedTexts()) {
        const PictureBox::Ink i = picture.TextInk(t.text);
        taken.push_back({t.x + i.left, t.y + i.top, t.x + i.right, t.y + i.bottom});
    }

    // Places along the part in view, from its right-hand end (where a
    // textbook writes a line's name), above the line first; the first that
    // is clear of everything, else the first clear of the lines, else the
    // first clear of the texts (the other name of one line drawn twice),
    // else the first in view.
    const auto box = [&](double t, int side) {
        const double cx = seen.x1 + ux * length * t - side * uy * off, cy = seen.y1 + uy * length * t + side * ux * off;
        return PictureBox::Ink{cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2};
    };
    const bool rightward = seen.x2 > seen.x1 || (seen.x2 == seen.x1 && seen.y2 < seen.y1);
    for (int strictness = 3; strictness >= 0; --strictness) {
        const bool ofLines = strictness >= 2, ofTexts = strictness == 3 || strictness == 1;
        for (int step = 0; step < 9; ++step) {
            const double along = 0.9 - 0.1 * step, t = rightward ? along : 1 - along;
            for (int side : {1, -1}) {
                const PictureBox::Ink b = box(t, side);
                if (b.left < kEdge || b.top < kEdge || b.right > W - kEdge || b.bottom > H - kEdge) continue;
                bool clear = true;
                for (std::size_t i = 0; clear && ofLines && i < lines.size(); ++i)
                    clear = !crosses(lines[i], b, kFromLine);
                for (std::size_t i = 0; clear && ofTexts && i < taken.size(); ++i)
                    clear = !overlaps(b, taken[i], kApart);
                if (!clear) continue;
                const platform::Color before = picture.ForeColor();
                picture.ForeColor(colour);
                picture.CurrentX(b.left - ink.left);
                picture.CurrentY(b.top - ink.top);
                picture.Print(name);
                picture.ForeColor(before);
                return;
            }
        }
    }
}
