// The program's start: which lesson, with which problem.
#include "core/lessons.h"

#include <cstdio>
#include <cstring>

#include "platform/application.h"

namespace lessons {

const Entry* Named(const std::string& name)
{
    for (const Entry& e : All())
        if (name == e.name && e.make) return &e;
    return nullptr;
}

const Entry* Listed(const std::string& name)
{
    for (const Entry& e : All())
        if (name == e.name) return &e;
    return nullptr;
}

int Main(int argc, char** argv)
{
    // Asked for its version, the program says it and opens no window.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("linear-graph %s\n", LG_VERSION);
        return 0;
    }
    platform::Application app(argc, argv);
    // The words after the lesson's name are the problem typed into its
    // boxes. The window lives as long as the program: in a browser the
    // program goes on after main has handed over to the page's events.
    std::vector<std::string> words = app.Arguments();
    const Entry* lesson = nullptr;
    for (const Entry& e : All())
        if (e.make) {
            lesson = &e;
            break;
        }
    if (!words.empty() && (words.front() == "--lesson" || words.front() == "--system")) {
        const std::string name = words.front() == "--system" ? "system" : words.size() > 1 ? words[1] : "";
        words.erase(words.begin(), words.begin() + (words.front() == "--system" ? 1 : std::min<std::size_t>(2, words.size())));
        lesson = Named(name);
        if (!lesson) {
            std::fprintf(stderr, "linear-graph: no lesson named '%s'; the lessons are:", name.c_str());
            for (const Entry& e : All())
                if (e.make) std::fprintf(stderr, " %s", e.name);
            std::fprintf(stderr, "\n");
            return 2;
        }
    }
    if (!lesson) return 2;
    // (Held by a plain pointer: in a page, Run leaves main by unwinding it,
    // and nothing on the way may delete the window the page goes on with.)
    Panel* window = lesson->make().release();
    window->Start(words);
    const int status = app.Run();
    delete window;
    return status;
}

}  // namespace lessons
