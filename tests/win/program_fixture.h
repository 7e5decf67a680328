// The real program for one test, with the paths the build passes in.
#pragma once

#include "program_driver.h"

namespace tandrel::testing {

using driver::ClassNameOf;
using driver::MessageBoxText;
using driver::ProgramOptions;
using driver::RunningProgram;
using driver::WaitFor;
using driver::WideTextOf;
using driver::WindowTextOf;

// Stand-ins at every tool kit path, recording how they were started.
inline ProgramOptions WithStubs() {
    return {driver::Widened(TANDREL_EXE), driver::Widened(TANDREL_STUB_EXE), true, {}};
}

// Built to read its announcement from the tests' server on 127.0.0.1.
inline ProgramOptions ForUpdateTests() {
    return {driver::Widened(TANDREL_UPDATE_TEST_EXE), driver::Widened(TANDREL_STUB_EXE), true, {}};
}

// No tool kit programs at all.
inline ProgramOptions WithoutTools() {
    return {driver::Widened(TANDREL_EXE), {}, true, {}};
}

} // namespace tandrel::testing
