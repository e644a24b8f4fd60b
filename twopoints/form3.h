// The third lesson's window: from two points back to the line through them
// and its equation (２点を通る直線の式). The learner types or taps two points
// Ａ and Ｂ; the steps mark them, draw the increase from Ａ to Ｂ as a right
// triangle with 変化の割合, draw the line with its 切片 ringed, and work out
// its equation as a textbook does, y ＝ (傾き)x ＋ (切片) and a·x ＋ b·y ＝ c.
//
// It is built on the plane panel every lesson shares (core/panel.h). Its own
// handlers are defined beside their parts: start-up, reset and the boxes in
// startup.cpp, the steps in steps.cpp, the marks on the plane and the tap in
// marks.cpp, what it says in describe.cpp. Every number comes from
// twopoints/working.h, worked out exactly before anything is drawn.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/panel.h"
#include "platform/controls.h"
#include "platform/picture.h"
#include "twopoints/working.h"

class Form3 : public lessons::Panel, public lessons::PlaneState {
public:
    static constexpr char kTitle[] = "２点を通る直線の式";

    Form3();
    ~Form3() override;

    // Events (the plane panel's are Form_Load, Command1_Click, Command2_Click,
    // Command3_Click and those of Picture1).
    void Command4_Click(std::int16_t Index);  // 0 「２点をとる」, 1 「変化の割合」
    void Command5_Click();                    // 「直線を引く」
    void Command6_Click();                    // 「式を求める」
    void Command7_Click();                    // 「確かめる」: the first lesson with this equation
    void Text1_KeyPress(std::int16_t Index, std::int16_t& keyCode);

    std::string PlaneFileName() const override;

    // The controls (the plane panel holds Picture1, Label5, Command2, Label1,
    // Command3 and Command1).
    platform::Label Label6{*this};
    platform::ControlArray<platform::Label, 2> Label7{*this};       // Ａ（ Ｂ（
    platform::ControlArray<platform::TextBox, 4> Text1{*this};      // x₁ y₁ x₂ y₂
    platform::ControlArray<platform::Label, 4> Label2{*this};       // ， ） of each row
    platform::ControlArray<platform::CommandButton, 2> Command4{*this};
    platform::CommandButton Command5{*this};
    platform::CommandButton Command6{*this};
    platform::ControlArray<platform::Label, 3> Label8{*this};       // 変化の割合＝ in words
    platform::ControlArray<platform::Label, 11> Label9{*this};      // …＝ the numbers
    platform::Label Label10{*this};                                 // when x₁ ＝ x₂
    platform::ControlArray<platform::Label, 9> Label11{*this};      // the 切片 worked out
    platform::ControlArray<platform::Label, 5> Label12{*this};      // ｂ＝
    platform::ControlArray<platform::Label, 10> Label4{*this};      // the equation's ten slots
    platform::Label Label13{*this};                                 // a·x＋b·y＝c
    platform::CommandButton Command7{*this};
    platform::ControlArray<platform::LineControl, 4> Line2{*this};  // the bars of the 変化の割合 blocks
    platform::ControlArray<platform::LineControl, 2> Line3{*this};  // the bars of 傾き and ｂ
    platform::ControlArray<platform::LineControl, 2> Line1{*this};  // the equation's bars
    // What assistive technology reads as one text each.
    platform::AccessibleText RateReading{*this};
    platform::AccessibleText EquationReading{*this};
    platform::AccessibleText FormReading{*this};

    // The state all handlers share (the plane's is lessons::PlaneState).
    std::int16_t step = 0;      // the step reached: 0 nothing, 1 … 4
    std::int16_t aAlone = 0;    // 1 while Ａ alone is marked, after a tap
    twopoints::Decimal tapX, tapY;  // that Ａ
    twopoints::Working work;    // what 「２点をとる」 worked out, kept for every later step
    // What the picture shows now, since the plane was last drawn: the step's
    // marks drawn (0 none), and the ring where the line meets the y axis.
    std::int16_t marksOnPlane = 0;
    std::int16_t ringOnPlane = 0;

protected:
    // What the lesson gives the plane panel.
    void LoadLesson() override;
    void ClearLesson() override;
    bool ShowAgain() override;
    void PlaneCleared() override;
    std::vector<platform::TextBox*> ProblemBoxes() override;
    platform::Control& FirstStep() override { return Command4(0); }
    std::string PlaneShows() const override;
    void DescribeLesson() override;
    std::string LessonState() const override;
    bool TakesTaps() const override { return true; }
    void Tapped(float X, float Y) override;

private:
    void BuildLayout();
    // Back to the first step: the working hidden, the later steps greyed.
    void Restart();
    // What each step shows beside the plane.
    void ShowRate();
    void ShowEquation();
    // The marks of the steps reached, drawn on the plane in their order.
    void DrawMarks();
    std::array<std::string, 3> lastRead_;
};
