// Lays out a tool root for running and testing the program: the working
// folders and the help texts, and optionally a stand-in for every program.
#pragma once

#include <string>
#include <string_view>

namespace tandrel {

// Creates the folders and the four help texts (GBK, CR LF) under `root`.
bool LayOutToolRoot(const std::wstring& root);

// Copies `stubProgram` to every program path of the tool kit and to
// explorer.exe and cmd.exe in `root`.
bool PlaceStubPrograms(const std::wstring& root, const std::wstring& stubProgram);

// The contents of the help texts, by their path in the tool kit.
std::string HelpText(std::string_view path);

} // namespace tandrel
