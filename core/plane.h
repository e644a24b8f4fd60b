// The coordinate plane as every lesson draws and moves it: small functions
// of the plane panel (core/panel.h), which is what a lesson's window is built on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/picture.h"
#include "platform/variant.h"

namespace plane {

using platform::Variant;

// The plane with its origin at (originX, originY) of the picture and `unit`
// pixels to one unit: axes, grid, origin mark and scale, refreshed; the axis
// names (ｙ above, χ to the right) moved beside the axes.
void Draw(platform::PictureBox& picture, platform::Label& yName, platform::Label& xName, const Variant& originX,
          const Variant& originY, std::int16_t unit);

// A line's name (①, ②) written beside the line in its colour, where it can be
// read: in view, off the line itself, and, where there is room, clear of the
// lines and boxes given (the other lines, the axes, a ring) and of every text
// printed so far (the scale's numbers, names written before). Nothing where
// no part of the line is in view.
void NameLine(platform::PictureBox& picture, const std::string& name, platform::Color colour,
              const platform::Segment& line, const std::vector<platform::Segment>& lines,
              const std::vector<platform::PictureBox::Ink>& boxes);
// The axes of the plane as lines to keep clear of.
std::vector<platform::Segment> Axes(const platform::PictureBox& picture, const Variant& originX, const Variant& originY);

// The origin moved by (dx, dy), held inside the square 60 … 540.
void Move(Variant& originX, Variant& originY, const Variant& dx, const Variant& dy);

// The size chosen among 「小」「中」「大」: its button in large bold type, the
// others plain; the grid unit of that size (40, 22 or 14 pixels).
std::int16_t Choose(platform::ControlArray<platform::CommandButton, 3>& sizes, std::int16_t index);

// The move an arrow key asks for, by its key code (37 … 40): one grid unit.
bool ArrowMove(std::int16_t keyCode, std::int16_t unit, Variant& dx, Variant& dy);

// The plane as a picture for worksheets, twice as dense as the form: copied
// to the clipboard, or saved under this name; the learner is told where the
// window system refuses.
void Copy(platform::PictureBox& picture);
void Save(platform::PictureBox& picture, const std::string& name);
// An equation a·x + b·y = c as a file is named after it ("2x+3y=6"), from the
// texts of its boxes; empty while none is typed.
std::string EquationName(const std::string& a, const std::string& b, const std::string& c);

}  // namespace plane
