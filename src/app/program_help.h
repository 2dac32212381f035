#pragma once
// What `OrvennaOC --help` and `OrvennaOC --version` print: answered before the window
// system is touched, so they work on a terminal without a display.

#include <optional>
#include <span>
#include <string>

// The usage text: the report-file forms and the task options as users type them.
std::string ProgramHelpText();
// "OrvennaOC " and the project version.
std::string ProgramVersionText();
// The text to print when the arguments (program name first) ask for help or the
// version, else nothing.
std::optional<std::string> ProgramInfoRequest(std::span<const std::string> arguments);
