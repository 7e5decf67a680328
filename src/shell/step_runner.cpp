#include "shell/step_runner.h"

#include "shell/operations.h"
#include "shell/properties.h"
#include "update/update_check.h"
#include "windows/byte_conversion.h"
#include "windows/text_file.h"

namespace tandrel {

void RunStep(const Step& step, HWND window) {
    switch (step.operation) {
    case Operation::LaunchCommand:
        LaunchCommand(step.text);
        return;
    case Operation::OpenWindow:
        OpenWindow(step.window);
        return;
    case Operation::CloseWindow:
        CloseWindow(step.window);
        return;
    case Operation::ShowMessage:
        if (step.title.empty()) {
            ShowMessage(step.text);
        } else {
            ShowMessage(step.text, step.title);
        }
        return;
    case Operation::LoadTextFile:
        SetText(window, step.control, ReadTextFile(step.text));
        return;
    case Operation::ConvertGigabytes:
        SetText(window, "编辑框2",
                ConvertGigabytesText(GetText(window, "编辑框1"), GetText(window, "标签5")));
        return;
    case Operation::ShowCurrentVersion:
        ShowCurrentVersion(window, step.control);
        return;
    case Operation::StartUpdateCheck:
        StartUpdateCheck(window);
        return;
    }
}

} // namespace tandrel
