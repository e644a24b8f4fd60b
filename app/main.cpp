#include "app/form1.h"
#include "platform/application.h"

int main(int argc, char** argv)
{
    platform::Application app(argc, argv);
    // The window lives as long as the program: in a browser the program goes
    // on after main has handed over to the page's events.
    auto* window = new Form1;
    window->Start();
    const int status = app.Run();
    delete window;
    return status;
}
