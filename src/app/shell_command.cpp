#include "app/shell_command.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsPrintFlag(const std::string& name)
{
    return name == "p" || name == "pt" || name == "pdf";
}

// The flag's name in lower case, or nothing when the argument is not a flag.
bool FlagName(const std::string& argument, std::string& name)
{
    if (argument.size() < 2 || (argument[0] != '-' && argument[0] != '/'))
        return false;
    name = Lower(argument.substr(1));
    if (argument[0] == '-')
        return true;
    // "/..." may be an absolute path.
    const bool taskOption = argument.size() > 3 && argument[2] == ':';
    return IsPrintFlag(name) || taskOption;
}

}  // namespace

CShellCommand ParseShellCommand(std::span<const std::string> arguments)
{
    CShellCommand command;
    bool printWanted = false;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.empty())
            continue;
        std::string flag;
        if (FlagName(argument, flag)) {
            if (flag == "p") {
                printWanted = true;
                command.kind = CShellCommand::printFile;
            } else if (flag == "pt") {
                printWanted = true;
                command.kind = CShellCommand::printFileTo;
            } else if (flag == "pdf") {
                printWanted = true;
                command.kind = CShellCommand::printFilePdf;
            }
            continue;
        }
        if (command.fileName.empty())
            command.fileName = argument;
        else if (command.kind == CShellCommand::printFileTo && command.printerName.empty())
            command.printerName = argument;
        else if (command.kind == CShellCommand::printFilePdf && command.outputFile.empty())
            command.outputFile = argument;
    }

    if (!printWanted)
        command.kind = command.fileName.empty() ? CShellCommand::none : CShellCommand::openFile;
    else if (command.fileName.empty() || (command.kind == CShellCommand::printFileTo && command.printerName.empty()) ||
             (command.kind == CShellCommand::printFilePdf && command.outputFile.empty()))
        command.kind = CShellCommand::incomplete;
    return command;
}
