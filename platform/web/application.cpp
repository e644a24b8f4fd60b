// The program in a page: it starts when the page has its font, shows its
// reports in a dialog of the page, and goes on after main has returned, as
// long as the page is open.
#include <emscripten.h>

#include "platform/application.h"
#include "platform/native.h"
#include "platform/web/web.h"

namespace platform::native {

class Application {};

// The page's message stays open while the program goes on; the page tells
// when it is closed.
bool ShowReport(const Report& report)
{
    lg_report(report.kind == Report::Kind::Error, report.text.c_str());
    return true;
}

void Quit() { lg_quit(); }

// The lesson's page beside this one, in a new tab, the problem in its address.
void OpenLesson(const LessonOpening& lesson)
{
    std::string query;
    for (std::size_t i = 0; i < lesson.names.size(); ++i) {
        const std::string text = i < lesson.texts.size() ? lesson.texts[i] : std::string();
        query += (query.empty() ? "?" : "&") + lesson.names[i] + "=";
        // Percent-encoded, byte by byte: nothing of a text is read as more of the address.
        static const char hex[] = "0123456789ABCDEF";
        for (unsigned char c : text) {
            if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '.' ||
                c == '_')
                query += char(c);
            else
                query += std::string("%") + hex[c >> 4] + hex[c & 15];
        }
    }
    lg_open(("./" + lesson.page + query).c_str());
}

}  // namespace platform::native

namespace platform {

Application::Application(int& argc, char** argv) : native_(nullptr), arguments_(argv + (argc > 0), argv + argc) {}

Application::~Application() = default;

int Application::Run()
{
    // The page's events call the handlers from now on; the window and what
    // it holds stay as they are.
    emscripten_exit_with_live_runtime();
    return 0;
}

}  // namespace platform
