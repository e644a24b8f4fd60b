#include <cstdio>
#include <cstring>

#include "app/form1.h"
#include "platform/application.h"

int main(int argc, char** argv)
{
    // Asked for its version, the program says it and opens no window.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("linear-graph %s\n", LG_VERSION);
        return 0;
    }
    platform::Application app(argc, argv);
    // The window lives as long as the program: in a browser the program goes
    // on after main has handed over to the page's events.
    auto* window = new Form1;
    window->Start(app.Arguments());
    const int status = app.Run();
    delete window;
    return status;
}
