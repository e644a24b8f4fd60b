// The second lesson's window: two equations on one plane, their points, their
// lines and where they meet (連立方程式のグラフ).
//
// The handlers are defined beside their steps: start-up, reset, exit and the
// boxes in startup.cpp, the plane in plane.cpp, the points and lines in
// plot.cpp, the equations and the intersection in solve.cpp. They share the
// first lesson's plane, points, whole line and equation display through the
// small functions of plane/, plot/ and equation/.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "equation/equation.h"
#include "platform/controls.h"
#include "platform/numtext.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "system/intersection.h"

using platform::Variant;

// What the lesson keeps of one equation, under the first lesson's names: the
// first two whole-number points of its last run, the coefficients that run
// read, and its line's fractions.
struct SystemLine {
    Variant firstX, firstY, secondX;
    float secondY = 0;
    Variant slopeNum, slopeDen, interceptNum;
    std::int16_t interceptDen = 0;
    std::int16_t wholePointsFound = 0;
    platform::Reading runA, runB, runC;
    std::int16_t equationTooLarge = 0;
    void ReduceFractions() { equation::ReduceFractions(*this); }
};

class Form2 : public platform::Form {
public:
    static constexpr char kTitle[] = "連立方程式のグラフ";

    Form2();
    ~Form2();

    // Builds, loads and shows the window; a problem given with the start
    // (a₁ b₁ c₁ a₂ b₂ c₂) is typed into the boxes.
    void Start(const std::vector<std::string>& problem = {});
    // The texts typed into the six boxes as given, the focus on "点を打つ".
    void PoseProblem(const std::vector<std::string>& texts);
    // The state and what the lesson shows, as JSON, for tests from outside.
    std::string StateText() const;

    // Events.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click(std::int16_t Index);
    void Command4_Click(std::int16_t Index);
    void Command5_Click();
    void Command6_Click();
    void Text1_KeyPress(std::int16_t Index, std::int16_t& keyCode);
    void Picture1_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Picture1_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Picture1_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Picture1_KeyDown(std::int16_t& KeyCode, std::int16_t Shift);

    // Procedures.
    void DrawPlane();
    // Tells assistive technology what the plane shows and which size is
    // chosen, and reads the equations and the intersection as texts.
    void DescribePlane();
    void DescribeSolution();
    std::string PlaneFileName() const;
    // Moves the origin by (dx, dy) within its square, draws the plane and
    // shows again what was shown; false when a run could not plot.
    bool MovePlane(const Variant& dx, const Variant& dy);

    // The controls.
    platform::PictureBox Picture1{*this};
    platform::ControlArray<platform::Label, 2> Label5{*this};
    platform::CommandButton Command2{*this};
    platform::Label Label1{*this};
    platform::ControlArray<platform::CommandButton, 3> Command3{*this};
    platform::Label Label6{*this};
    platform::ControlArray<platform::Label, 3> Label3{*this};
    platform::ControlArray<platform::Label, 2> Label7{*this};
    platform::ControlArray<platform::TextBox, 6> Text1{*this};
    platform::ControlArray<platform::Label, 4> Label2{*this};
    platform::ControlArray<platform::CommandButton, 2> Command4{*this};
    platform::CommandButton Command5{*this};
    platform::CommandButton Command6{*this};
    platform::ControlArray<platform::Label, 2> Label8{*this};
    platform::ControlArray<platform::Label, 20> Label4{*this};
    platform::ControlArray<platform::Label, 11> Label9{*this};
    platform::Label Label10{*this};
    platform::CommandButton Command1{*this};
    platform::ControlArray<platform::LineControl, 4> Line1{*this};
    platform::ControlArray<platform::LineControl, 2> Line2{*this};
    // What assistive technology reads as one text: each equation shown, and
    // the intersection (or what the lesson says of the two lines).
    platform::AccessibleText EquationReading1{*this};
    platform::AccessibleText EquationReading2{*this};
    platform::AccessibleText SolutionReading{*this};

    // The state all handlers share.
    Variant originX, originY;
    std::int16_t unitSize = 0;
    Variant dragging, dragLastX;
    float dragLastY = 0;
    Variant pointsShown, morePointsShown;
    std::int16_t lineShown = 0;
    std::int16_t solutionShown = 0;  // 1 once "交点を求める" has shown the intersection
    // What the picture shows now, since the plane was last drawn: both lines
    // (1), and the intersection's ring (1 in view, 2 where the point lies
    // outside the view).
    std::int16_t linesOnPlane = 0;
    std::int16_t ringOnPlane = 0;
    std::int16_t plotFailed = 0;     // 1 when the last run could not plot
    std::array<SystemLine, 2> line;  // ① and ②
    intersection::Result meeting;    // where the lines of the last runs meet
    intersection::Result solution;   // the intersection "交点を求める" showed, until it shows another

private:
    void BuildLayout();
    bool ReplayPlots();
    // The ring on the intersection, where it is in view.
    void MarkIntersection();
    // Every slot of the equations and the intersection hidden.
    void ClearSolution();
    int describer_ = 0;
    std::string lastDescription_;
    std::array<std::string, 3> lastRead_;
};
