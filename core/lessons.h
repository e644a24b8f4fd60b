// The lessons of the program, as lessons.json lists them: the build makes the
// list (lessons.cpp in the build folder) from it, and the program's start
// chooses among them.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/panel.h"

namespace lessons {

struct Entry {
    const char* name;                     // on the command line: --lesson NAME
    const char* page;                     // its page in the lesson's folder
    std::vector<const char*> problem;     // the names of a problem's texts in the page's address
    std::unique_ptr<Panel> (*make)();     // its window; null where this build leaves the lesson out
};

// Every lesson, in the order of lessons.json.
std::span<const Entry> All();
// The lesson of this name that this build holds, or null.
const Entry* Named(const std::string& name);
// The lesson of this name, held or not (its page and its problem's names), or null.
const Entry* Listed(const std::string& name);

// The program: `--version`; `--lesson NAME` (or `--system`, the second
// lesson), then the texts of a problem; else the first lesson with the
// texts of its problem.
int Main(int argc, char** argv);

}  // namespace lessons
