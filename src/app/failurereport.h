#pragma once

#include <functional>

// Runs the module and returns its exit code. Whatever escapes it is shown in
// a message box and on stderr before the module ends with 1: a start-up
// failure must never end the program without a word.
int RunReportingFailures(const std::function<int()> &run);
