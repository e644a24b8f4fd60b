// The runtime around the handlers: delivery of events with the report of
// runtime errors, message boxes and the end of the program.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/variant.h"

namespace platform {

// What the runtime tells the user: an error report or a message.
struct Report {
    enum class Kind { Error, Message };
    Kind kind;
    std::string text;
};

// The user sees a report in a message box (the offscreen platform of the
// tests shows none). A reporter put in place takes every report instead; the
// tests keep them so.
using Reporter = std::function<void(const Report&)>;
void SetReporter(Reporter reporter);

// The runtime's own text for an error, as its error box shows it.
std::string ErrorText(const RuntimeError& error);
void ReportError(const RuntimeError& error);
// A message to the user, with an OK button.
void MsgBox(const std::string& text);

// Work to do once an event has been handled to its end (not after every
// handler that one event runs), such as telling assistive technology what
// changed. Returns a number to forget it by.
int AfterEachEvent(std::function<void()> work);
void ForgetAfterEachEvent(int id);

// Runs one handler for one event, from its start to its end. A runtime
// error ends the handler (and every handler it called) and is reported; the
// program goes on. The outermost delivery then moves the focus where the
// event sent it and runs the work above, each piece reported alike. Events
// may nest (a message box runs events of its own while a handler waits).
void Deliver(const std::function<void()>& handler);

// What the program holds now, as a text, for tools and tests that drive it
// from outside (the browser's tests read it from the page).
void SetInspector(std::function<std::string()> inspector);
std::string Inspect();

// Another lesson of the program, opened with the texts of a problem typed
// into its boxes, beside the one on show (which stays as it is): on the
// desktop the program started again with `--lesson NAME` and the texts; in
// a page the lesson's page (PAGE?names=texts) in a new tab. Tests may
// replace it.
struct LessonOpening {
    std::string name, page;
    std::vector<std::string> names, texts;
};
void OpenLesson(const LessonOpening& lesson);
void SetOpenHook(std::function<void(const LessonOpening&)> hook);

// Ends the program at once: no further handler runs. Tests may replace it.
void End();
void SetEndHook(std::function<void()> hook);

}  // namespace platform
