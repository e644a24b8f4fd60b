// What a window system provides beneath the interface the handlers see: its
// own objects behind the controls (each window system defines the classes of
// controls.h's native namespace as it likes) and these operations. One
// implementation is built with the program, chosen when building.
#pragma once

#include <string>

#include "platform/color.h"
#include "platform/controls.h"
#include "platform/runtime.h"

namespace platform::native {

// Shows a report to the user and returns when it is acknowledged.
void Show(const Report& report);
// Ends the program at once.
void Quit();
// An event has been handled to its end.
void EventEnded();

// The picture box's drawing, in its window pixels; the caller has already
// clipped whole-pixel rectangles and cut far segments back to the picture.
void Resize(Picture& p, int width, int height);
void Clear(Picture& p, Color back);
// The standard colour of text on a button, the picture's foreground.
Color ButtonTextColor();
// The whole pixels left … right, top … bottom (inclusive, inside the picture).
void Fill(Picture& p, int left, int top, int right, int bottom, Color c);
// A smoothed line of the given width from centre to centre of the pixels;
// round ends, or flat ones where neither end can be seen.
void Stroke(Picture& p, double x1, double y1, double x2, double y2, int width, Color c, bool roundEnds);
// A smoothed disk around the centre of pixel (cx, cy).
void Dot(Picture& p, double cx, double cy, double radius, Color c);
// One text with its top-left corner at (x, y) in the picture's font; returns
// the height of a line of that font.
double Text(Picture& p, float x, float y, const std::string& text, Color c);
// Shows what was drawn.
void Show(Picture& p);

}  // namespace platform::native
