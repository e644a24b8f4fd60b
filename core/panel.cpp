// The plane panel, as every lesson's window has it: its controls, its
// start, the reset and the end, the sizes, dragging and the arrow keys, the
// picture, and the plane's description.
#include "core/panel.h"

#include "core/inspect.h"
#include "core/layout.h"
#include "core/plane.h"
#include "platform/runtime.h"

namespace lessons {

namespace {

// How far a press may move and still be a tap, squared, in the form's pixels.
constexpr float kTapReach = 16;

}  // namespace

Panel::Panel(PlaneState& plane, const char* title) : plane_(plane), title_(title) {}

Panel::~Panel() { platform::ForgetAfterEachEvent(describer_); }

void Panel::Start(const std::vector<std::string>& problem)
{
    platform::SetInspector([this] { return StateText(); });
    platform::Deliver([this] { Form_Load(); });
    Show();
    if (!problem.empty()) PoseProblem(problem);
}

void Panel::PoseProblem(const std::vector<std::string>& texts)
{
    const std::vector<platform::TextBox*> boxes = ProblemBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i]->Text(i < texts.size() ? texts[i] : "");
    FirstStep().SetFocus();
}

void Panel::BuildPanel()
{
    using namespace layout;
    Caption(title_);
    ClientSize(876, 650);
    BackColor(kGreen);

    Picture1.Place(16, 32, 600, 600);
    Picture1.BackColor(kPaleYellow);
    const FontSpec name{20.25f, true};
    const FontSpec lesson{12.0f, true};
    label(Label5(0), "ｙ", 304, 0, 25, 33, name);
    label(Label5(1), "χ", 616, 328, 25, 33, name);
    button(Command2, "初期画面", 768, 16, 89, 33, lesson);
    label(Label1, "座標平面の大きさ", 696, 64, 130, 16, lesson);
    button(Command3(0), "小", 672, 88, 57, 33, {12.0f, false});
    button(Command3(1), "中", 736, 88, 57, 33, {20.25f, true});
    button(Command3(2), "大", 800, 88, 57, 33, {12.0f, false});
    button(Command1, "終　了", 736, 600, 121, 33, lesson);

    Picture1.AccessibleName("座標平面");
    // The sizes are one choice.
    for (std::int16_t i = 0; i < 3; ++i) Command3(i).AccessibleChecked(i == 1);

    named(Picture1, "Picture1");
    named(Command1, "Command1");
    named(Command2, "Command2");
    named(Label1, "Label1");
    for (std::int16_t i = 0; i < 2; ++i) named(Label5(i), "Label5", i);
    for (std::int16_t i = 0; i < 3; ++i) named(Command3(i), "Command3", i);

    // Which handler each event of the panel's controls reaches.
    Command1.OnClick([this] { Command1_Click(); });
    Command2.OnClick([this] { Command2_Click(); });
    for (std::int16_t i = 0; i < 3; ++i) Command3(i).OnClick([this, i] { Command3_Click(i); });
    Picture1.OnMouseDown([this](std::int16_t b, std::int16_t s, float x, float y) { Picture1_MouseDown(b, s, x, y); });
    Picture1.OnMouseMove([this](std::int16_t b, std::int16_t s, float x, float y) { Picture1_MouseMove(b, s, x, y); });
    Picture1.OnMouseUp([this](std::int16_t b, std::int16_t s, float x, float y) { Picture1_MouseUp(b, s, x, y); });
    Picture1.OnKeyDown([this](std::int16_t& key, std::int16_t shift) { Picture1_KeyDown(key, shift); });
}

void Panel::DescribeAfterEachEvent()
{
    describer_ = platform::AfterEachEvent([this] {
        DescribePlane();
        DescribeLesson();
    });
}

// Start, reset and end.

void Panel::Form_Load()
{
    Caption(title_);
    Picture1.FontSize(20);
    plane_.originX = 300;
    plane_.originY = 300;
    plane_.unitSize = 22;
    plane_.dragging = 0;
    LoadLesson();
    DrawPlane();
}

void Panel::Command2_Click()
{
    plane_.originX = 300;
    plane_.originY = 300;
    plane_.dragging = 0;
    ClearLesson();
    DrawPlane();
}

void Panel::Command1_Click() { platform::End(); }

// The plane, its sizes and its moves.

void Panel::DrawPlane()
{
    plane::Draw(Picture1, Label5(0), Label5(1), plane_.originX, plane_.originY, plane_.unitSize);
    PlaneCleared();
}

void Panel::Command3_Click(std::int16_t Index)
{
    plane_.unitSize = plane::Choose(Command3, Index);
    DrawPlane();
    ShowAgain();
}

bool Panel::MovePlane(const Variant& dx, const Variant& dy)
{
    plane::Move(plane_.originX, plane_.originY, dx, dy);
    DrawPlane();
    return ShowAgain();
}

// Any mouse button drags the plane (a finger and a pen come as the left
// button). Where the lesson takes taps, a press with the left button is a tap
// until the pointer has gone 4 pixels from where it was pressed; then it is
// a drag, which moves the plane by the whole way from the press.
void Panel::Picture1_MouseDown(std::int16_t Button, std::int16_t, float X, float Y)
{
    plane_.dragging = 1;
    plane_.dragLastX = X;
    plane_.dragLastY = Y;
    tapping_ = Button == 1 && TakesTaps();
    pressX_ = X;
    pressY_ = Y;
}

void Panel::Picture1_MouseMove(std::int16_t, std::int16_t, float X, float Y)
{
    if (plane_.dragging != 1) return;
    if (tapping_) {
        const float dx = X - pressX_, dy = Y - pressY_;
        if (dx * dx + dy * dy < kTapReach) return;
        tapping_ = false;
    }
    if (!MovePlane(Variant(X) - plane_.dragLastX,
                   Variant(platform::CSng(Variant(Y) - Variant(plane_.dragLastY))))) {
        // The learner has been told once; this drag is over.
        plane_.dragging = 0;
        return;
    }
    // The pointer itself is the reference for the next move, not a position
    // held back by the limits.
    plane_.dragLastX = X;
    plane_.dragLastY = Y;
}

void Panel::Picture1_MouseUp(std::int16_t, std::int16_t, float, float)
{
    plane_.dragging = 0;
    if (!tapping_) return;
    tapping_ = false;
    Tapped(pressX_, pressY_);
}

// The arrow keys move the plane by one grid unit, as a drag would. What is
// shown again moves the focus on through the lesson; the plane keeps it, so
// that the next press (or a held key) moves it again. What could not be
// shown again has sent the focus to the box to correct, and there it stays.
void Panel::Picture1_KeyDown(std::int16_t& KeyCode, std::int16_t Shift)
{
    // Ctrl+C and Ctrl+S hand the plane on as a picture.
    if (Shift == 2 && KeyCode == 67) return CopyPlane();
    if (Shift == 2 && KeyCode == 83) return SavePlane();
    Variant dx = 0, dy = 0;
    if (!plane::ArrowMove(KeyCode, plane_.unitSize, dx, dy)) return;
    if (MovePlane(dx, dy)) Picture1.SetFocus();
}

// The picture and the description.

void Panel::CopyPlane() { plane::Copy(Picture1); }

void Panel::SavePlane() { plane::Save(Picture1, PlaneFileName()); }

void Panel::DescribePlane()
{
    const std::int16_t unit = plane_.unitSize;
    const char* size = unit == 40 ? "小" : unit == 22 ? "中" : unit == 14 ? "大" : "";
    const std::string text =
        "１目もり" + std::to_string(unit) + "ピクセルの座標平面（" + size + "）。" + PlaneShows();
    // Said again only when it changes (a drag describes the plane many times).
    if (text == lastDescription_) return;
    lastDescription_ = text;
    for (std::int16_t i = 0; i < 3; ++i) Command3(i).AccessibleChecked(unit == (i == 0 ? 40 : i == 1 ? 22 : 14));
    Picture1.AccessibleDescription(text);
}

std::string Panel::StateText() const
{
    using inspect::Number;
    using inspect::Text;
    std::string j = "{";
    const auto field = [&](const char* name, const std::string& value) {
        if (j.size() > 1) j += ',';
        j += Text(name) + ':' + value;
    };
    field("originX", Number(plane_.originX));
    field("originY", Number(plane_.originY));
    field("unitSize", std::to_string(plane_.unitSize));
    field("dragging", Number(plane_.dragging));
    field("dotsShown", std::to_string(Picture1.DotsShown()));
    field("printed", inspect::Printed(Picture1));
    field("description", Text(Picture1.AccessibleDescription()));
    const std::string own = LessonState();
    return j + (own.empty() ? "" : "," + own) + "}";
}

}  // namespace lessons
