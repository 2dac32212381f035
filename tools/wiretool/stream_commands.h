#pragma once
// The payload transforms of wiretool: each reads all of its input and writes the result.

#include <string>
#include <vector>

struct CToolResult {
    int exitCode = 0;     // 0 success, 1 malformed input, 2 wrong usage
    std::string output;   // bytes for standard output
    std::string error;    // one line for standard error
};

// args: the words after the command name.
CToolResult RunCompress(const std::vector<std::string>& args, const std::string& input);
CToolResult RunExpand(const std::vector<std::string>& args, const std::string& input);
CToolResult RunEncipher(const std::vector<std::string>& args, const std::string& input);
CToolResult RunDecipher(const std::vector<std::string>& args, const std::string& input);
