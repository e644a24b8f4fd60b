#include "platform/runtime.h"

#include <map>
#include <utility>

#include "platform/controls.h"
#include "platform/delivery.h"
#include "platform/native.h"

namespace platform {

namespace {

Reporter& reporter()
{
    static Reporter r;
    return r;
}

std::function<void()>& endHook()
{
    static std::function<void()> hook;
    return hook;
}

void present(const Report& report)
{
    if (reporter()) {
        reporter()(report);
        return;
    }
    // A message the window system leaves open after its event (the page's)
    // holds the focus back until it is closed.
    if (native::ShowReport(report)) focus::MessageOpened();
}

std::map<int, std::function<void()>>& afterEvent()
{
    static std::map<int, std::function<void()>> work;
    return work;
}

int eventDepth = 0;  // events being delivered, one inside another (a message box's own loop)
int lastWork = 0;    // the number of the work registered last

}  // namespace

void SetReporter(Reporter r) { reporter() = std::move(r); }

std::string ErrorText(const RuntimeError& error)
{
    std::string what;
    switch (error.code()) {
    case RuntimeError::Overflow: what = "オーバーフローしました。"; break;
    case RuntimeError::DivisionByZero: what = "0 で除算しました。"; break;
    case RuntimeError::SubscriptOutOfRange: what = "インデックスが有効範囲にありません。"; break;
    case RuntimeError::InvalidProcedureCall: what = "プロシージャの呼び出し、または引数が不正です。"; break;
    }
    return "実行時エラー '" + std::to_string(static_cast<int>(error.code())) + "':\n\n" + what;
}

void ReportError(const RuntimeError& error) { present({Report::Kind::Error, ErrorText(error)}); }

void MsgBox(const std::string& text) { present({Report::Kind::Message, text}); }

int AfterEachEvent(std::function<void()> work)
{
    afterEvent().emplace(++lastWork, std::move(work));
    return lastWork;
}

void ForgetAfterEachEvent(int id) { afterEvent().erase(id); }

bool InEvent() { return eventDepth > 0; }

namespace {

// The work once an event is over: the focus goes where the event sent it,
// then every piece of work registered when the event ended runs, in order,
// less what was forgotten meanwhile (a window closed or opened from inside a
// piece of work); what is new waits for the next event. A piece is taken out
// of the map while it runs, so that forgetting it then cannot destroy it
// under its own feet. A runtime error in any of them is reported, as one in
// a handler is, and the rest goes on.
void afterTheEvent()
{
    try {
        focus::Move();
    } catch (const RuntimeError& e) {
        ReportError(e);
    }
    auto& work = afterEvent();
    const int last = lastWork;
    for (int done = 0;;) {
        const auto it = work.upper_bound(done);
        if (it == work.end() || it->first > last) break;
        done = it->first;
        // Empty while it runs already (an event inside it ended).
        if (!it->second) continue;
        std::function<void()> running = std::exchange(it->second, nullptr);
        try {
            running();
        } catch (const RuntimeError& e) {
            ReportError(e);
        }
        const auto still = work.find(done);
        if (still != work.end()) still->second = std::move(running);
    }
}

}  // namespace

void Deliver(const std::function<void()>& handler)
{
    // (Counted down also when something other than a runtime error ends the
    // handler; that goes on to whoever can take it.)
    struct Depth {
        Depth() { ++eventDepth; }
        ~Depth() { --eventDepth; }
    };
    {
        Depth depth;
        try {
            handler();
        } catch (const RuntimeError& e) {
            ReportError(e);
        }
    }
    if (eventDepth == 0) afterTheEvent();
}

void End()
{
    if (endHook()) {
        endHook()();
        return;
    }
    native::Quit();
}

void SetEndHook(std::function<void()> hook) { endHook() = std::move(hook); }

namespace {

std::function<void(const LessonOpening&)>& openHook()
{
    static std::function<void(const LessonOpening&)> hook;
    return hook;
}

}  // namespace

void OpenLesson(const LessonOpening& lesson)
{
    if (openHook()) return openHook()(lesson);
    native::OpenLesson(lesson);
}

void SetOpenHook(std::function<void(const LessonOpening&)> hook) { openHook() = std::move(hook); }

namespace {

std::function<std::string()>& inspector()
{
    static std::function<std::string()> i;
    return i;
}

}  // namespace

void SetInspector(std::function<std::string()> i) { inspector() = std::move(i); }

std::string Inspect() { return inspector() ? inspector()() : std::string(); }

}  // namespace platform
