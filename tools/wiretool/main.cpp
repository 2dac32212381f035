// wiretool: inspects and produces the payload encodings of the inventory protocol,
// reading standard input (report files: the file named) and writing standard output.
#include "report_commands.h"
#include "stream_commands.h"

#include "orv_version.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: wiretool COMMAND [OPTIONS] < INPUT > OUTPUT\n"
    "  compress                     compress into blocks as the wire carries them\n"
    "  expand                       expand a compressed stream\n"
    "  encipher [--iv HEX] [--key TEXT]\n"
    "                               encipher a payload (fresh random IV unless --iv\n"
    "                               gives 32 hex digits; the wire's key unless --key)\n"
    "  decipher [--key TEXT]        decipher a payload\n"
    "  dump-report FILE [--rows N]  outline a report file (.tdf): sections, grids with\n"
    "                               their first N rows (3; -1 for all), page count\n"
    "  --version                    show the version\n"
    "  --help                       show this text\n"
    "Exit status: 0 success, 1 malformed input, 2 wrong usage.\n";

std::string ReadAll(std::FILE* file)
{
    std::string bytes;
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, count);
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    using Command = CToolResult (*)(const std::vector<std::string>&, const std::string&);
    const std::map<std::string, Command> commands = {
        {"compress", RunCompress},
        {"expand", RunExpand},
        {"encipher", RunEncipher},
        {"decipher", RunDecipher},
    };
    if (argc >= 2 && std::string(argv[1]) == "--version") {
        std::fputs("wiretool " ORV_VERSION "\n", stdout);
        return 0;
    }
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    // Commands that read a named file rather than standard input.
    using FileCommand = CToolResult (*)(const std::vector<std::string>&);
    const std::map<std::string, FileCommand> fileCommands = {
        {"dump-report", RunDumpReport},
    };
    CToolResult result;
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (const auto fileCommand = fileCommands.find(argv[1]); fileCommand != fileCommands.end()) {
        result = fileCommand->second(args);
    } else {
        const auto command = commands.find(argv[1]);
        if (command == commands.end()) {
            std::fprintf(stderr, "wiretool: unknown command '%s' (try --help)\n", argv[1]);
            return 2;
        }
        result = command->second(args, ReadAll(stdin));
    }
    if (!result.output.empty() && std::fwrite(result.output.data(), 1, result.output.size(), stdout) != result.output.size()) {
        std::fputs("wiretool: could not write the output\n", stderr);
        return 1;
    }
    if (std::fflush(stdout) != 0) {
        std::fputs("wiretool: could not write the output\n", stderr);
        return 1;
    }
    if (result.exitCode != 0)
        std::fprintf(stderr, "wiretool %s: %s\n", argv[1], result.error.c_str());
    return result.exitCode;
}
