#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/application.h"
#include "system/form2.h"

int main(int argc, char** argv)
{
    // Asked for its version, the program says it and opens no window.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("linear-graph %s\n", LG_VERSION);
        return 0;
    }
    platform::Application app(argc, argv);
    // The first lesson, or with --system the second (two equations); the
    // words after it are the problem typed into the boxes. The window lives
    // as long as the program: in a browser the program goes on after main
    // has handed over to the page's events.
    std::vector<std::string> words = app.Arguments();
    int status;
    if (!words.empty() && words.front() == "--system") {
        words.erase(words.begin());
        auto* window = new Form2;
        window->Start(words);
        status = app.Run();
        delete window;
    } else {
        auto* window = new Form1;
        window->Start(words);
        status = app.Run();
        delete window;
    }
    return status;
}
