#include "shell/app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return tandrel::RunProgram();
}
