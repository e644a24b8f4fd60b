// How long one step of a drag takes, beside what one frame costs at the least.
//
//   BM_DragStep/<unit>/<shown>/<scale>
//       one step of a drag on the real window, from the mouse move to the
//       painted frame (the event loop runs until every repaint it caused is
//       done): grid unit 40, 22 or 14, nothing shown (0) or both point runs
//       and the line (1), the form shown at scale 1, 2 or 3. The counter
//       allocs is the number of heap allocations in one step.
//   BM_SystemDragStep/<unit>/<scale>
//       the same step on the second lesson's window with everything shown:
//       both equations' points of both runs, both lines and the
//       intersection's ring (2x + 3y = 6 and x − y = −2)
//   BM_TwoPointsDragStep/<unit>/<scale>
//       the same on the third lesson's window with every step shown: the
//       points Ａ(−1, 2) and Ｂ(2, 4) with their names, the triangle of the
//       increases with their values, the line and the ring on the y axis
//   BM_HandledMove/<unit>/<shown>
//       the handled mouse move alone, without its repaint, at scale 1
//   BM_Floor
//       filling a 600 × 600 32-bit image with one colour: the memory-bandwidth
//       floor of a frame
//   BM_Repaint
//       one repaint of the plane from its retained image
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "app/form1.h"
#include "platform/application.h"
#include "platform/qt/widgets.h"
#include "system/form2.h"
#include "twopoints/form3.h"

using platform::qt::Widget;

// Every heap allocation of the program is counted.
namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

std::unique_ptr<Form1> window;
std::unique_ptr<Form2> systemWindow;
std::unique_ptr<Form3> twoPointsWindow;
int reports = 0;  // reports to the user while measuring; there should be none

template <class F>
F& open(std::unique_ptr<F>& w)
{
    if (!w) {
        w = std::make_unique<F>();
        w->Start();
        QCoreApplication::processEvents();
    }
    return *w;
}

Form1& form() { return open(window); }

// Everything the event loop has to do now: repaints and what they cause.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void prepare(Form1& f, int unit, bool shown, int scale)
{
    Widget(f)->resize(876 * scale, 650 * scale);
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
    settle();
}

void sendMouse(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void prepare(Form2& f, int unit, bool, int scale)
{
    Widget(f)->resize(876 * scale, 650 * scale);
    f.Command2_Click();
    f.Command3_Click(unit == 40 ? 0 : unit == 22 ? 1 : 2);
    const char* const texts[] = {"2", "3", "6", "1", "-1", "-2"};
    for (std::int16_t i = 0; i < 6; ++i) f.Text1(i).Text(texts[i]);
    f.Command4_Click(0);
    f.Command4_Click(1);
    f.Command5_Click();
    f.Command6_Click();
    settle();
}

void prepare(Form3& f, int unit, bool, int scale)
{
    Widget(f)->resize(876 * scale, 650 * scale);
    f.Command2_Click();
    f.Command3_Click(unit == 40 ? 0 : unit == 22 ? 1 : 2);
    const char* const texts[] = {"-1", "2", "2", "4"};
    for (std::int16_t i = 0; i < 4; ++i) f.Text1(i).Text(texts[i]);
    f.Command4_Click(0);
    f.Command4_Click(1);
    f.Command5_Click();
    f.Command6_Click();
    settle();
}

// Steps of a drag, alternating between two places so that the origin really
// moves, each until its frame is painted when `painted`.
template <class F>
void drag(benchmark::State& state, F& f, bool shown, int scale, bool painted)
{
    prepare(f, static_cast<int>(state.range(0)), shown, scale);
    QWidget* plane = Widget(f.Picture1);
    const double s = scale;
    sendMouse(plane, QEvent::MouseButtonPress, {300 * s, 300 * s}, Qt::LeftButton, Qt::LeftButton);
    settle();
    bool away = false;
    const long before = allocations.load();
    for (auto _ : state) {
        away = !away;
        sendMouse(plane, QEvent::MouseMove, {(away ? 310.0 : 300.0) * s, (away ? 295.0 : 300.0) * s}, Qt::NoButton,
                  Qt::LeftButton);
        if (painted) settle();
    }
    state.counters["allocs"] = benchmark::Counter(double(allocations.load() - before) / double(state.iterations()));
    sendMouse(plane, QEvent::MouseButtonRelease, {300 * s, 300 * s}, Qt::LeftButton, Qt::NoButton);
    settle();
    if (reports != 0) state.SkipWithError("a step reported an error");
}

void BM_DragStep(benchmark::State& state)
{
    drag(state, form(), state.range(1) != 0, static_cast<int>(state.range(2)), true);
}
BENCHMARK(BM_DragStep)->ArgsProduct({{40, 22, 14}, {0, 1}, {1, 2, 3}})->Unit(benchmark::kMicrosecond);

void BM_SystemDragStep(benchmark::State& state)
{
    drag(state, open(systemWindow), true, static_cast<int>(state.range(1)), true);
}
BENCHMARK(BM_SystemDragStep)->ArgsProduct({{40, 22, 14}, {1, 2, 3}})->Unit(benchmark::kMicrosecond);

void BM_TwoPointsDragStep(benchmark::State& state)
{
    drag(state, open(twoPointsWindow), true, static_cast<int>(state.range(1)), true);
}
BENCHMARK(BM_TwoPointsDragStep)->ArgsProduct({{40, 22, 14}, {1, 2, 3}})->Unit(benchmark::kMicrosecond);

void BM_HandledMove(benchmark::State& state) { drag(state, form(), state.range(1) != 0, 1, false); }
BENCHMARK(BM_HandledMove)->ArgsProduct({{40, 22, 14}, {0, 1}})->Unit(benchmark::kMicrosecond);

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
    prepare(f, 14, true, 1);
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
    // Headless, on a screen large enough for the form at three times its size.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" LG_OFFSCREEN_CONFIG);
    platform::Application app(argc, argv);
    platform::SetReporter([](const platform::Report&) { ++reports; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    window.reset();
    systemWindow.reset();
    return 0;
}
