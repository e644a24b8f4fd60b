// How long one step of a drag takes, beside what one frame costs at the least.
//
//   BM_DragStep/<unit>/<shown>  one handled mouse move of a drag on the real
//                               window, grid unit 40, 22 or 14, with nothing
//                               shown (0) or both point runs and the line (1)
//   BM_Floor                    filling a 600 × 600 32-bit image with one
//                               colour: the memory-bandwidth floor of a frame
//   BM_Repaint                  one repaint of the plane from its retained image
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>

#include <memory>

#include "app/form1.h"
#include "platform/application.h"
#include "platform/qt/widgets.h"

using platform::qt::Widget;

namespace {

std::unique_ptr<Form1> window;
int reports = 0;  // reports to the user while measuring; there should be none

Form1& form()
{
    if (!window) {
        window = std::make_unique<Form1>();
        window->Start();
        QCoreApplication::processEvents();
    }
    return *window;
}

void prepare(Form1& f, int unit, bool shown)
{
    f.Command2_Click();
    f.Command3_Click(unit == 40 ? 0 : unit == 22 ? 1 : 2);
    if (shown) {
        f.Text1(0).Text("1");
        f.Text1(1).Text("3");
        f.Text1(2).Text("1");
        f.Command4_Click(0);
        f.Command4_Click(1);
        f.Command5_Click();
    }
}

void sendMouse(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void BM_DragStep(benchmark::State& state)
{
    Form1& f = form();
    prepare(f, static_cast<int>(state.range(0)), state.range(1) != 0);
    QWidget* plane = Widget(f.Picture1);
    sendMouse(plane, QEvent::MouseButtonPress, {300, 300}, Qt::LeftButton, Qt::LeftButton);
    bool away = false;
    for (auto _ : state) {
        away = !away;
        // Alternates between two places, so that the origin really moves.
        sendMouse(plane, QEvent::MouseMove, {away ? 310.0 : 300.0, away ? 295.0 : 300.0}, Qt::NoButton,
                  Qt::LeftButton);
    }
    sendMouse(plane, QEvent::MouseButtonRelease, {300, 300}, Qt::LeftButton, Qt::NoButton);
    if (reports != 0) state.SkipWithError("a step reported an error");
}
BENCHMARK(BM_DragStep)->ArgsProduct({{40, 22, 14}, {0, 1}})->Unit(benchmark::kMicrosecond);

void BM_Floor(benchmark::State& state)
{
    QImage image(600, 600, QImage::Format_RGB32);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        image.fill(flip ? 0xFFFFFFC0u : 0xFFFFFFFFu);
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMicrosecond);

void BM_Repaint(benchmark::State& state)
{
    Form1& f = form();
    prepare(f, 14, true);
    // The plane's paint, from the retained image into a frame of its own.
    QImage frame(Widget(f.Picture1)->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        Widget(f.Picture1)->render(&frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(BM_Repaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application app(argc, argv);
    platform::SetReporter([](const platform::Report&) { ++reports; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    window.reset();
    return 0;
}
