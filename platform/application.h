// The program's hold on the window system: set up before the window is made,
// run until the program ends.
#pragma once

namespace platform {

namespace native {
class Application;
}

class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    // Takes events until the program ends; returns its exit status.
    int Run();

private:
    native::Application* native_;
};

}  // namespace platform
