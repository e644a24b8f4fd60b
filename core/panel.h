// The plane panel: what every lesson's window is built on. The coordinate
// plane on the left with its state, its three sizes, its drag by mouse,
// finger and pen, the arrow keys, what the lesson shows drawn again after
// each of them, the plane copied and saved as a picture, the plane's
// description for screen readers; 「初期画面」 and 「終　了」; and a problem
// given at the start. Written once; a lesson's window derives from it and
// gives it what the pure virtual functions below ask for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/plane_state.h"
#include "platform/controls.h"
#include "platform/picture.h"
#include "platform/variant.h"

namespace lessons {

using platform::Variant;

class Panel : public platform::Form {
public:
    virtual ~Panel();

    // Builds, loads and shows the window, as the program's start does; a
    // problem given with the start (the command line, the page's address) is
    // typed into the lesson's boxes.
    void Start(const std::vector<std::string>& problem = {});
    // The texts typed into the lesson's boxes as given (the rest emptied),
    // the focus on its first step, so that Enter begins it.
    void PoseProblem(const std::vector<std::string>& texts);
    // The state and what the window shows, as JSON, for tests that drive
    // the program from outside.
    std::string StateText() const;

    // Events of the panel's controls.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click(std::int16_t Index);
    void Picture1_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Picture1_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Picture1_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Picture1_KeyDown(std::int16_t& KeyCode, std::int16_t Shift);

    // Procedures.
    // The plane drawn afresh: nothing of the lesson is on it after.
    void DrawPlane();
    // Moves the origin by (dx, dy) within its square, draws the plane and
    // shows again what was shown; false when the lesson could not.
    bool MovePlane(const Variant& dx, const Variant& dy);
    // Tells assistive technology what the plane shows now and which size is chosen.
    void DescribePlane();
    // The plane as a picture for worksheets: copied, or saved under the
    // lesson's name for it.
    void CopyPlane();
    void SavePlane();
    // The name the plane is saved under (the lesson's, "….png").
    virtual std::string PlaneFileName() const = 0;

    // The panel's controls.
    platform::PictureBox Picture1{*this};
    platform::ControlArray<platform::Label, 2> Label5{*this};  // the axis names ｙ and χ
    platform::CommandButton Command2{*this};                  // 初期画面
    platform::Label Label1{*this};                            // 座標平面の大きさ
    platform::ControlArray<platform::CommandButton, 3> Command3{*this};  // 小 中 大
    platform::CommandButton Command1{*this};                  // 終　了

protected:
    // `plane` is the lesson's own state (a part of it), `title` its window's.
    Panel(PlaneState& plane, const char* title);

    // The panel's controls placed where every lesson has them, named and
    // wired; the lesson's layout calls it first.
    void BuildPanel();
    // The lesson's layout calls it last: what the window shows is told in
    // words after every event.
    void DescribeAfterEachEvent();

    // What a lesson gives the panel.

    // Its own start values and controls, at load (before the plane is drawn).
    virtual void LoadLesson() = 0;
    // 「初期画面」: its own state and controls back to the start, the focus
    // on its first box (before the plane is drawn afresh).
    virtual void ClearLesson() = 0;
    // What it had drawn, drawn again on the plane just drawn afresh (a size,
    // a step of a drag, an arrow key); false when it could not (the learner
    // has been told why), which ends a drag.
    virtual bool ShowAgain() = 0;
    // The plane was drawn afresh: nothing of the lesson is on it now.
    virtual void PlaneCleared() {}
    // The boxes a problem given at the start is typed into, and its first step.
    virtual std::vector<platform::TextBox*> ProblemBoxes() = 0;
    virtual platform::Control& FirstStep() = 0;
    // What the lesson's marks on the plane are now, in words (after the
    // plane's unit and size), as the picture shows them.
    virtual std::string PlaneShows() const = 0;
    // Its other readings, brought up to date after each event.
    virtual void DescribeLesson() {}
    // Its state as JSON members ("name":value,…), for tests from outside.
    virtual std::string LessonState() const = 0;
    // A press and release on the plane that moved less than 4 pixels: true
    // when the lesson takes such a tap (a point placed); a lesson that takes
    // none returns false, and its drags move the plane at once.
    virtual bool TakesTaps() const { return false; }
    virtual void Tapped(float /*X*/, float /*Y*/) {}

private:
    PlaneState& plane_;
    const char* title_;
    int describer_ = 0;
    std::string lastDescription_;
    // A press that may still be a tap, and where it was.
    bool tapping_ = false;
    float pressX_ = 0, pressY_ = 0;
};

}  // namespace lessons
