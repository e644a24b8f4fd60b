// Texts that do not fit their control: a smaller size of the same face, just
// small enough to fit. Everything that fits is shown as the layout has it.
#include <algorithm>
#include <cmath>

#include "platform/controls.h"
#include "platform/native.h"

namespace platform {

namespace {

// The least size a text is shrunk to before a box scrolls or a label grows.
constexpr int kLeastPixels = 8;

// The largest size from `least` to `from` at which the text needs no more
// than `room`; `least` when there is none.
template <class Need>
int fitPixels(int from, int least, double room, Need need)
{
    if (from <= least) return from;
    int px = std::clamp(static_cast<int>(from * room / std::max(1.0, need(from))), least, from);
    while (px > least && need(px) > room) --px;
    while (px < from && need(px + 1) <= room) ++px;
    return px;
}

// The room of a label of this width: its text fits when less than a pixel
// of its ink would be cut off.
double labelRoom(int width) { return width + 0.999; }

// The width a label needs so that none of the text's ink is cut off: a
// centred text stands in the middle of its advance, a left-aligned one
// starts at the label's left edge.
double labelNeeds(const native::Extent& e, bool centred)
{
    if (!centred) return std::max(0.0, e.inkRight);
    return std::max(2 * e.inkRight - e.advance, e.advance - 2 * e.inkLeft);
}

}  // namespace

void TextBox::Fit()
{
    const int layout = PixelsOfPoints(font_.points);
    int px = layout;
    if (!text_.empty()) {
        // The box lays its text out by its advance, and scrolls past its room.
        const double room = native::TextRoom(*native_);
        const auto width = [&](int pixels) { return native::MeasureText(font_, pixels, text_).advance; };
        if (width(layout) > room) px = fitPixels(layout, kLeastPixels, room, width);
    }
    Show(place_, px);
}

void Label::Fit()
{
    const int layout = PixelsOfPoints(font_.points);
    // A label a line and a half high or more wraps its caption.
    const bool oneLine = place_.height * 2 < layout * 3;
    if (caption_.empty() || !oneLine) {
        Show(place_, layout);
        return;
    }
    const bool centred = align_ == Align::Center;
    const auto width = [&](int pixels) { return labelNeeds(native::MeasureText(font_, pixels, caption_), centred); };
    if (measured_ != caption_ || !(measuredFont_ == font_)) {
        measured_ = caption_;
        measuredFont_ = font_;
        measuredWidth_ = width(layout);
    }
    if (measuredWidth_ <= labelRoom(place_.width)) {
        Show(place_, layout);
        return;
    }
    // A smaller text keeps the baseline of the line it stands in.
    const auto lowered = [&](Rect r, int pixels) {
        const int drop = static_cast<int>(std::lround(native::MeasureText(font_, layout, caption_).ascent -
                                                      native::MeasureText(font_, pixels, caption_).ascent));
        r.top += drop;
        r.height -= drop;
        return r;
    };
    int px = fitPixels(layout, kLeastPixels, labelRoom(place_.width), width);
    const double needed = width(px);
    if (needed <= labelRoom(place_.width)) {
        Show(lowered(place_, px), px);
        return;
    }

    // Wider, over the empty space beside it: up to the nearest control shown
    // on either side (one it already overlaps stops it there) or the window.
    const int centre = place_.left + place_.width / 2;
    int leftmost = 0, rightmost = form_.ClientWidth() > 0 ? form_.ClientWidth() : place_.right();
    for (const Rect& n : form_.Neighbours(*this)) {
        if (n.left + n.width / 2 < centre) leftmost = std::max(leftmost, std::min(n.right(), place_.left));
        else rightmost = std::min(rightmost, std::max(n.left, place_.right()));
    }
    const int missing = static_cast<int>(std::ceil(needed)) - place_.width;
    int toLeft = 0, toRight = 0;
    if (align_ == Align::Center) {
        toLeft = std::min(missing / 2, place_.left - leftmost);
        toRight = std::min(missing - toLeft, rightmost - place_.right());
        toLeft = std::min(missing - toRight, place_.left - leftmost);
    } else {
        toRight = std::min(missing, rightmost - place_.right());
        toLeft = std::min(missing - toRight, place_.left - leftmost);
    }
    Rect grown = place_;
    grown.left -= std::max(0, toLeft);
    grown.width += std::max(0, toLeft) + std::max(0, toRight);
    // Past that, smaller still: a number cut short would read as another.
    if (needed > labelRoom(grown.width)) px = fitPixels(px, 1, labelRoom(grown.width), width);
    Show(lowered(grown, px), px);
}

}  // namespace platform
