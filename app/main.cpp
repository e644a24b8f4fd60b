#include "app/form1.h"
#include "platform/application.h"

int main(int argc, char** argv)
{
    platform::Application app(argc, argv);
    Form1 window;
    window.Start();
    return app.Run();
}
