// The program's entry: the lessons' start (core/lessons.h).
#include "core/lessons.h"

int main(int argc, char** argv) { return lessons::Main(argc, argv); }
