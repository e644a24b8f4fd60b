// The one window of the program and everything it does.
//
// The handlers and procedures are defined beside their subsystem: start-up,
// reset, exit and coefficient entry in app/, the plane in plane/, plotting in
// plot/, the equation in equation/. ReduceFractions, which needs nothing but
// the shared state, comes with GraphState.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/graph_state.h"
#include "platform/controls.h"
#include "platform/numtext.h"
#include "platform/picture.h"
#include "platform/runtime.h"

class Form1 : public platform::Form, public GraphState {
public:
    // The window's title, set by the layout and again at load.
    static constexpr char kTitle[] = "２元１次方程式のグラフ (q.Varno)";

    Form1();
    ~Form1();

    // Builds, loads and shows the window, as the program's start does; a
    // problem given with the start (the command line, the page's address) is
    // typed into the boxes.
    void Start(const std::vector<std::string>& problem = {});
    // a, b and c typed into their boxes as given, and the focus on "点を打つ",
    // so that Enter begins the lesson.
    void PoseProblem(const std::vector<std::string>& texts);
    // The shared state and what the lesson shows, as JSON, for tests that
    // drive the program from outside.
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
    // Tells assistive technology what the plane shows now, and which size is chosen.
    void DescribePlane();
    // The plane as a picture for worksheets: copied to the clipboard, saved
    // to a file named after the equation typed.
    void CopyPlane();
    void SavePlane();
    std::string PlaneFileName() const;
    // Gives the equation shown its reading as one text.
    void DescribeEquation();
    // Moves the origin by (dx, dy) within its square, draws the plane and
    // plots again; false when a run could not plot.
    bool MovePlane(const Variant& dx, const Variant& dy);

    // The controls, as the layout names them.
    platform::PictureBox Picture1{*this};
    platform::ControlArray<platform::Label, 2> Label5{*this};
    platform::CommandButton Command2{*this};
    platform::Label Label1{*this};
    platform::ControlArray<platform::CommandButton, 3> Command3{*this};
    platform::Label Label6{*this};
    platform::ControlArray<platform::Label, 3> Label3{*this};
    platform::ControlArray<platform::TextBox, 3> Text1{*this};
    platform::ControlArray<platform::Label, 2> Label2{*this};
    platform::ControlArray<platform::CommandButton, 2> Command4{*this};
    platform::CommandButton Command5{*this};
    platform::CommandButton Command6{*this};
    platform::ControlArray<platform::Label, 10> Label4{*this};
    platform::CommandButton Command1{*this};
    platform::ControlArray<platform::LineControl, 2> Line1{*this};
    // The equation shown, read by assistive technology as one text.
    platform::AccessibleText EquationReading{*this};

private:
    void BuildLayout();
    // What the plane's description last said: grid unit, dots shown, line
    // drawn, the line's fractions.
    std::array<double, 8> lastDescribed_{-1, -1, -1, -1, -1, -1, -1, -1};
    // The slots of the equation as last read.
    std::array<std::string, 10> lastRead_;
    int describer_ = 0;  // the work that describes the window after each event
    // Plots again what was shown, after the plane was drawn afresh; false when
    // a run could not plot (the learner has been told why).
    bool ReplayPlots();
};
