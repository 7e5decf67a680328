// Usage: lay_out_tool_root FOLDER
// Creates the tool kit's folders and help texts in FOLDER.
#include "tool_root.h"

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: lay_out_tool_root FOLDER\n", stderr);
        return 2;
    }
    return tandrel::LayOutToolRoot(argv[1]) ? 0 : 1;
}
