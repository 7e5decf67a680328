// Usage: take_screenshots TOOL_ROOT FOLDER
// Starts TOOL_ROOT\tandrel.exe, saves a picture of each of its windows in
// FOLDER as BMP files and ends the program.
#include "program_driver.h"

#include <cstdio>
#include <string>

namespace {

using tandrel::driver::CaptureWindow;
using tandrel::driver::RunningProgram;

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: take_screenshots TOOL_ROOT FOLDER\n", stderr);
        return 2;
    }
    const std::wstring folder = argv[2];
    RunningProgram program({{}, {}, true, argv[1]});
    if (!program.Started()) {
        std::fputs("take_screenshots: the program did not start\n", stderr);
        return 1;
    }
    const bool saved = CaptureWindow(program.MainWindow(), folder + L"\\main.bmp");
    RunningProgram::PressKey(program.MainWindow(), VK_ESCAPE);
    DWORD exitCode = 0;
    program.WaitForExit(10000, exitCode);
    return saved ? 0 : 1;
}
