// The runtime around the handlers: start-up of the application, delivery of
// events with the report of runtime errors, message boxes and the end.
#pragma once

#include <QApplication>
#include <QString>

#include <functional>
#include <vector>

#include "platform/variant.h"

namespace platform {

// The face that the layout asks for, and the installed faces that stand in for it.
inline const char* const kLayoutFace = "ＭＳ Ｐゴシック";

// Makes the application look and behave the same on every machine: the Fusion
// style and palette, the face substitutions, the default font, every mouse
// move delivered unmerged. Called once, after the QApplication exists.
void SetUpApplication();

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    int Run();
};

// What the runtime told the user: an error report or a message.
struct Report {
    enum class Kind { Error, Message };
    Kind kind;
    QString text;
};

// The user sees a report in a message box, except under the offscreen
// platform (tests, benchmarks), where reports are only recorded. A test may
// put a reporter of its own in place.
using Reporter = std::function<void(const Report&)>;
void SetReporter(Reporter reporter);
const std::vector<Report>& Reports();
void ClearReports();

// The runtime's own text for an error, as its error box shows it.
QString ErrorText(const RuntimeError& error);
void ReportError(const RuntimeError& error);
// A message to the user, with an OK button.
void MsgBox(const QString& text);

// Runs one handler for one event. A runtime error ends the handler (and every
// handler it called) and is reported; the program goes on.
// Work to do once an event has been handled to its end (not after every
// handler that one event runs), such as telling assistive technology what
// changed.
int AfterEachEvent(std::function<void()> work);  // returns a number to forget it by
void ForgetAfterEachEvent(int id);
// Bracket the delivery of one event; the outermost end runs the work above.
void EventBegins();
void EventEnds();

template <class F>
void Deliver(F&& handler)
{
    EventBegins();
    try {
        handler();
    } catch (const RuntimeError& e) {
        ReportError(e);
    }
    EventEnds();
}

// Ends the program at once: no further handler runs. Tests may replace it.
void End();
void SetEndHook(std::function<void()> hook);

}  // namespace platform
