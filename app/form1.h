// The one window of the program and everything it does.
//
// It is built on the plane panel that every lesson shares (core/panel.h):
// Picture1, the sizes, dragging, 初期画面 and 終　了 with their handlers. Its
// own handlers and procedures are defined beside their subsystem: start-up,
// reset and coefficient entry in app/, what the plane shows in plane/,
// plotting in plot/, the equation in equation/. ReduceFractions, which needs
// nothing but the shared state, comes with GraphState.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/graph_state.h"
#include "core/panel.h"
#include "platform/controls.h"
#include "platform/numtext.h"
#include "platform/picture.h"
#include "platform/runtime.h"

class Form1 : public lessons::Panel, public GraphState {
public:
    // The window's title, set by the layout and again at load.
    static constexpr char kTitle[] = "２元１次方程式のグラフ (q.Varno)";

    Form1();
    ~Form1() override;

    // Events (the plane panel's are Form_Load, Command1_Click, Command2_Click,
    // Command3_Click and those of Picture1).
    void Command4_Click(std::int16_t Index);
    void Command5_Click();
    void Command6_Click();
    void Text1_KeyPress(std::int16_t Index, std::int16_t& keyCode);

    // Gives the equation shown its reading as one text.
    void DescribeEquation();
    std::string PlaneFileName() const override;

    // The controls, as the layout names them (the plane panel holds Picture1,
    // Label5, Command2, Label1, Command3 and Command1).
    platform::Label Label6{*this};
    platform::ControlArray<platform::Label, 3> Label3{*this};
    platform::ControlArray<platform::TextBox, 3> Text1{*this};
    platform::ControlArray<platform::Label, 2> Label2{*this};
    platform::ControlArray<platform::CommandButton, 2> Command4{*this};
    platform::CommandButton Command5{*this};
    platform::CommandButton Command6{*this};
    platform::ControlArray<platform::Label, 10> Label4{*this};
    platform::ControlArray<platform::LineControl, 2> Line1{*this};
    // The equation shown, read by assistive technology as one text.
    platform::AccessibleText EquationReading{*this};

protected:
    // What the lesson gives the plane panel.
    void LoadLesson() override;
    void ClearLesson() override;
    bool ShowAgain() override;
    void PlaneCleared() override { lineOnPlane = 0; }
    std::vector<platform::TextBox*> ProblemBoxes() override;
    platform::Control& FirstStep() override { return Command4(0); }
    std::string PlaneShows() const override;
    void DescribeLesson() override { DescribeEquation(); }
    std::string LessonState() const override;

private:
    void BuildLayout();
    // The slots of the equation as last read.
    std::array<std::string, 10> lastRead_;
};
