#pragma once
// Parses the inventory server's command line into ServerOptions.

#include "server/server_options.h"

#include <string>
#include <vector>

enum class CommandLineAction { run, addAdmin, help, version, error };

struct CommandLineResult {
    CommandLineAction action = CommandLineAction::run;
    std::string error;  // for CommandLineAction::error
};

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments, ServerOptions& options);

// The text that --help prints.
std::string CommandLineHelp();
