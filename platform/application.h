// The program's hold on the window system: set up before the window is made,
// run until the program ends.
#pragma once

#include <string>
#include <vector>

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
    // What the program was started with, after the window system took its
    // own options: the command line's words, or what the page's address asks.
    const std::vector<std::string>& Arguments() const { return arguments_; }

private:
    native::Application* native_;
    std::vector<std::string> arguments_;
};

}  // namespace platform
