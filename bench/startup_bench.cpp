// Usage: startup_bench TANDREL_EXE MINIMAL_EXE [RUNS]
// Times from process start until the first window is shown and the program is
// idle, for the program and for a minimal one-window program, alternately, and
// prints the medians and their ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->processId && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds until the program shows a window and waits for input; -1 on failure.
double TimeOneStart(const std::wstring& program) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return -1;
    }
    WaitForInputIdle(process.hProcess, 20000);
    Search search{process.dwProcessId, nullptr};
    for (int tries = 0; tries < 20000 && search.found == nullptr; ++tries) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            Sleep(1);
        }
    }
    QueryPerformanceCounter(&end);
    if (search.found != nullptr) {
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (search.found == nullptr) {
        return -1;
    }
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: startup_bench TANDREL_EXE MINIMAL_EXE [RUNS]\n", stderr);
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 15;
    std::vector<double> program;
    std::vector<double> minimal;
    TimeOneStart(argv[1]); // warm up the loader and the font cache
    TimeOneStart(argv[2]);
    for (int run = 0; run < runs; ++run) {
        // Alternate which goes first, and let the system settle between starts.
        const bool programFirst = run % 2 == 0;
        Sleep(300);
        const double first = TimeOneStart(programFirst ? argv[1] : argv[2]);
        Sleep(300);
        const double second = TimeOneStart(programFirst ? argv[2] : argv[1]);
        const double a = programFirst ? first : second;
        const double b = programFirst ? second : first;
        if (a < 0 || b < 0) {
            std::fputs("startup_bench: a program did not show its window\n", stderr);
            return 1;
        }
        program.push_back(a);
        minimal.push_back(b);
    }
    const double programMedian = Median(program);
    const double minimalMedian = Median(minimal);
    std::printf("runs: %d\n", runs);
    std::printf("tandrel median: %.1f ms\n", programMedian);
    std::printf("minimal window median: %.1f ms\n", minimalMedian);
    std::printf("ratio: %.2f\n", programMedian / minimalMedian);
    return 0;
}
