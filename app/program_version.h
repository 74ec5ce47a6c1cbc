#pragma once

#include <array>
#include <string>

// The program's version as four numbers (major, minor, patch, build), taken from the build's version
// string; parts the string does not give are 0.
std::array<int, 4> ProgramVersionParts();
std::array<int, 4> ParseVersionParts(const std::string& text);

// Fills each "%i" of the pattern, in order, with the next part ("Version %i.%i.%i.%i" -> "Version 1.0.0.0").
std::string FormatVersionText(const std::string& pattern, const std::array<int, 4>& parts);
