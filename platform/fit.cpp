// Texts that do not fit their control: a smaller size of the same face, just
// small enough to fit. Everything that fits is shown as the layout has it.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/native.h"
#include "platform/numtext.h"

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

// Where a caption wider than its label breaks, the same on every window
// system (which never wraps one itself): after a blank, between two
// characters of Japanese, never inside a run of ASCII letters and digits (a
// number, a word), never before a closing mark, a small kana or 「ー」, never
// after an opening mark; the blanks at a break hang at the end of its line
// and are not shown. A line that has no such place breaks where it must.

// One character of a caption: its code point and its text.
struct Char {
    char32_t code;
    std::string text;
};

bool blank(const Char& ch) { return ch.code == U' ' || ch.code == U'\u3000'; }

// (The marks by their code points: as texts they would be taken for texts the
// lesson shows, and the page's face would carry their glyphs for nothing.)
// Never at the start of a line: closing marks, small kana, 「ー」, 「々」 and
// the marks that end a sentence.
constexpr char32_t kNoStart[] = {
    0x3001, 0x3002, 0xFF0C, 0xFF0E, 0xFF09, 0x300D, 0x300F, 0x3011, 0x3015, 0x3009, 0x300B, 0x2019, 0x201D, 0x30FC,
    0x3041, 0x3043, 0x3045, 0x3047, 0x3049, 0x3063, 0x3083, 0x3085, 0x3087, 0x308E, 0x30A1, 0x30A3, 0x30A5, 0x30A7,
    0x30A9, 0x30C3, 0x30E3, 0x30E5, 0x30E7, 0x30EE, 0x30F5, 0x30F6, 0x3005, 0xFF01, 0xFF1F, 0xFF1A, 0xFF1B, 0x30FB,
    0x2026, 0x002C, 0x002E, 0x0029, 0x005D, 0x0021, 0x003F, 0x003A, 0x003B};
// Never at the end of a line: opening marks.
constexpr char32_t kNoEnd[] = {
    0xFF08, 0x300C, 0x300E, 0x3010, 0x3014, 0x3008, 0x300A, 0x2018, 0x201C, 0x0028, 0x005B};

bool breaksBetween(const Char& a, const Char& b)
{
    const auto in = [](const auto& set, const Char& ch) {
        return std::find(std::begin(set), std::end(set), ch.code) != std::end(set);
    };
    const auto word = [](const Char& ch) {
        return ch.code < 0x80 && (std::isalnum(static_cast<int>(ch.code)) || ch.code == U'.' || ch.code == U'-');
    };
    if (blank(b)) return false;
    if (blank(a)) return true;
    if (in(kNoStart, b) || in(kNoEnd, a)) return false;
    return !(word(a) && word(b));
}

template <class Width>
std::string wrapped(const std::string& caption, double room, int emPixels, Width width)
{
    std::string out;
    std::size_t lineStart = 0;
    for (;;) {
        const std::size_t lineEnd = std::min(caption.find('\n', lineStart), caption.size());
        std::vector<Char> chars;
        const std::string_view line = std::string_view(caption).substr(0, lineEnd);
        for (std::size_t i = lineStart; i < lineEnd;) {
            const std::size_t from = i;
            const char32_t code = NextCharacter(line, i);
            chars.push_back({code, caption.substr(from, i - from)});
        }
        // The characters from … to, less the blanks at its end.
        const auto text = [&](std::size_t from, std::size_t to) {
            while (to > from && blank(chars[to - 1])) --to;
            std::string t;
            for (std::size_t k = from; k < to; ++k) t += chars[k].text;
            return t;
        };
        if (lineStart > 0) out += '\n';
        // A line that fits as it is is measured once, or not at all where it
        // fits even if every character were a whole em and a pixel wider
        // (measuring a text is slow in a page).
        const std::string whole = caption.substr(lineStart, lineEnd - lineStart);
        if (double(Characters(whole)) * (emPixels + 1) <= room || width(whole) <= room) {
            out += whole;
            chars.clear();
        }
        for (std::size_t start = 0; start < chars.size();) {
            std::size_t best = 0, fitting = start + 1;
            for (std::size_t end = start + 1; end <= chars.size(); ++end) {
                if (end > start + 1 && width(text(start, end)) > room) break;
                fitting = end;
                if (end == chars.size() || breaksBetween(chars[end - 1], chars[end])) best = end;
            }
            if (best == 0) best = fitting;
            if (start > 0) out += '\n';
            out += text(start, best);
            start = best;
        }
        if (lineEnd == caption.size()) return out;
        lineStart = lineEnd + 1;
    }
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

bool Label::OneLine() const { return place_.height * 2 < PixelsOfPoints(font_.points) * 3; }

void Label::Fit()
{
    const int layout = PixelsOfPoints(font_.points);
    // A label a line and a half high or more wraps its caption, as laid out
    // (however much a number in it is shrunk). Only numbers are shrunk: a
    // sign or a letter a little wider than its label keeps its size beside
    // the others, and its meaning.
    const bool oneLine = OneLine();
    if (int(oneLine) != oneLine_) {
        oneLine_ = oneLine;
        native::SetOneLine(*native_, oneLine);
    }
    // What the window system shows: the caption, broken into lines where it
    // is wider than a label of more than one line.
    const std::string lines =
        oneLine || caption_.empty()
            ? caption_
            : wrapped(caption_, place_.width, layout,
                      [&](const std::string& t) { return native::MeasureText(font_, layout, t).advance; });
    if (lines != shownCaption_) {
        shownCaption_ = lines;
        native::SetCaption(*native_, lines);
    }
    const bool number = std::any_of(caption_.begin(), caption_.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!number || !oneLine) {
        Show(place_, layout);
        return;
    }

    // Where its ink may stand: inside the label, clear of the controls shown
    // beside it (a neighbour it overlaps takes that part), and how far it
    // may grow over empty space.
    Fitting now;
    now.caption = caption_;
    now.font = font_;
    now.place = place_;
    now.centred = align_ == Align::Center;
    now.from = place_.left;
    now.to = place_.right();
    now.leftmost = 0;
    now.rightmost = form_.ClientWidth() > 0 ? form_.ClientWidth() : place_.right();
    const int centre = place_.left + place_.width / 2;
    for (const Rect& n : form_.Neighbours(*this)) {
        if (n.left + n.width / 2 < centre) {
            now.from = std::max(now.from, std::min(n.right(), centre));
            now.leftmost = std::max(now.leftmost, n.right());
        } else {
            now.to = std::min(now.to, std::max(n.left, centre));
            now.rightmost = std::min(now.rightmost, n.left);
        }
    }
    now.leftmost = std::min(now.leftmost, place_.left);
    now.rightmost = std::max(now.rightmost, place_.right());
    if (now == fitted_) {
        Show(fitted_.shown, fitted_.pixels);
        return;
    }

    // Whether the text at a size, in a label at r, keeps its ink within
    // from … to (less than half a pixel over either end).
    const auto fits = [&](int pixels, const Rect& r, int from, int to) {
        const native::Extent e = native::MeasureText(font_, pixels, caption_);
        const double start = now.centred ? r.left + (r.width - e.advance) / 2 : r.left;
        return start + e.inkLeft > from - 0.5 && start + e.inkRight < to + 0.5;
    };
    // The largest size from `from` down to `least` that fits; `least` when none does.
    const auto largest = [&](int from, int least, const Rect& r, int left, int right) {
        int px = from;
        while (px > least && !fits(px, r, left, right)) --px;
        return px;
    };
    // A smaller text keeps the baseline of the line it stands in.
    const auto lowered = [&](Rect r, int pixels) {
        const int drop = static_cast<int>(std::lround(native::MeasureText(font_, layout, caption_).ascent -
                                                      native::MeasureText(font_, pixels, caption_).ascent));
        r.top += drop;
        r.height -= drop;
        return r;
    };

    Rect shown = place_;
    int px = layout;
    if (!fits(layout, place_, now.from, now.to)) {
        px = largest(layout, kLeastPixels, place_, now.from, now.to);
        if (!fits(px, place_, now.from, now.to)) {
            // Wider, over the empty space beside it, as far as the text needs.
            const native::Extent e = native::MeasureText(font_, px, caption_);
            const int missing = static_cast<int>(std::ceil(e.inkRight - e.inkLeft)) + 1 - (now.to - now.from);
            int toLeft = 0, toRight = 0;
            if (now.centred) {
                toLeft = std::min((missing + 1) / 2, place_.left - now.leftmost);
                toRight = std::min(missing - toLeft, now.rightmost - place_.right());
                toLeft = std::min(missing - toRight, place_.left - now.leftmost);
            } else {
                toRight = std::min(missing, now.rightmost - place_.right());
                toLeft = std::min(missing - toRight, place_.left - now.leftmost);
            }
            toLeft = std::max(0, toLeft);
            toRight = std::max(0, toRight);
            shown.left -= toLeft;
            shown.width += toLeft + toRight;
            const int from = toLeft > 0 ? shown.left : now.from, to = toRight > 0 ? shown.right() : now.to;
            // Past that, smaller still: a number cut short would read as another.
            if (!fits(px, shown, from, to)) px = largest(px, 1, shown, from, to);
        }
        shown = lowered(shown, px);
    }
    now.shown = shown;
    now.pixels = px;
    fitted_ = now;
    Show(shown, px);
}

}  // namespace platform
