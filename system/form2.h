// The second lesson's window: two equations on one plane, their points, their
// lines and where they meet (連立方程式のグラフ).
//
// It is built on the plane panel that every lesson shares (core/panel.h).
// Its own handlers are defined beside their steps: start-up, reset and the
// boxes in startup.cpp, what the plane shows in plane.cpp, the points and
// lines in plot.cpp, the equations and the intersection in solve.cpp. Its
// points, whole lines and equations are drawn and shown as the first lesson's
// are, by the small functions of core/.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/equation.h"
#include "core/panel.h"
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

class Form2 : public lessons::Panel, public lessons::PlaneState {
public:
    static constexpr char kTitle[] = "連立方程式のグラフ";

    Form2();
    ~Form2() override;

    // Events (the plane panel's are Form_Load, Command1_Click, Command2_Click,
    // Command3_Click and those of Picture1).
    void Command4_Click(std::int16_t Index);
    void Command5_Click();
    void Command6_Click();
    void Text1_KeyPress(std::int16_t Index, std::int16_t& keyCode);

    // Reads the equations and the intersection as texts.
    void DescribeSolution();
    std::string PlaneFileName() const override;

    // The controls (the plane panel holds Picture1, Label5, Command2, Label1,
    // Command3 and Command1).
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
    platform::ControlArray<platform::LineControl, 4> Line1{*this};
    platform::ControlArray<platform::LineControl, 2> Line2{*this};
    // What assistive technology reads as one text: each equation shown, and
    // the intersection (or what the lesson says of the two lines).
    platform::AccessibleText EquationReading1{*this};
    platform::AccessibleText EquationReading2{*this};
    platform::AccessibleText SolutionReading{*this};

    // The state all handlers share (the plane's is lessons::PlaneState).
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

protected:
    // What the lesson gives the plane panel.
    void LoadLesson() override;
    void ClearLesson() override;
    bool ShowAgain() override;
    void PlaneCleared() override;
    std::vector<platform::TextBox*> ProblemBoxes() override;
    platform::Control& FirstStep() override { return Command4(0); }
    std::string PlaneShows() const override;
    void DescribeLesson() override { DescribeSolution(); }
    std::string LessonState() const override;

private:
    void BuildLayout();
    // The ring on the intersection, where it is in view.
    void MarkIntersection();
    // Every slot of the equations and the intersection hidden.
    void ClearSolution();
    std::array<std::string, 3> lastRead_;
};
