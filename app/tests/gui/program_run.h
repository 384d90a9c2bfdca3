// Runs the real program, Form1 on the application runner, in a child process of this test
// binary and closes its windows in one of the ways a user can, so that a test can watch
// whether and how the program ends. How it ends is the runner's and the windows'.
#pragma once

#include <QString>
#include <optional>

namespace gui_test {

// Called first in main: with --program=SCENARIO runs that scenario and gives its exit code.
std::optional<int> runProgramIfAsked(int& argc, char** argv);

struct ProgramEnd {
    bool ended = false; // on its own, before the timeout
    int exitCode = -1;  // 0 when the event loop ended; 7 when its own guard had to end it
    QString output;     // what the scenario printed on the way
};

// Starts this binary on the scenario and waits for the program's end.
ProgramEnd runProgram(const QString& scenario);

} // namespace gui_test
