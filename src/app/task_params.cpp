#include "app/task_params.h"

#include <cctype>
#include <climits>
#include <cstddef>

namespace {

// Decimal conversion of the leading digits after blanks and an optional sign; text that
// is not a number gives 0, and numbers beyond the int range saturate.
int32_t DecimalOf(const std::string& text)
{
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > INT32_MAX)
            return negative ? INT32_MIN : INT32_MAX;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

bool YesOf(const std::string& text)
{
    return !text.empty() && (text[0] == 'Y' || text[0] == 'y');
}

bool EqualsNoCase(const std::string& text, const char* word)
{
    size_t i = 0;
    for (; i < text.size() && word[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != word[i])
            return false;
    return i == text.size() && word[i] == '\0';
}

}  // namespace

TaskKind ParseTaskArgs(std::span<const std::string> arguments, CTaskParams& params)
{
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() <= 3 || (argument[0] != '-' && argument[0] != '/') ||
            argument.find(':') == std::string::npos)
            continue;
        const std::string value = argument.substr(3);
        switch (std::toupper(static_cast<unsigned char>(argument[1]))) {
        case 'U': params.user = value; break;
        case 'W': params.password = value; break;
        case 'H': params.host = value; break;
        case 'T': params.task = value; break;
        case 'M': params.importFile = value; break;
        case 'O': params.port = DecimalOf(value); break;
        case 'C': params.count = DecimalOf(value); break;
        case 'P': params.viewArgument = value; break;
        case 'G': params.group = value; break;
        case 'A': params.attachments = YesOf(value); break;
        case 'N': params.parentCopies = YesOf(value); break;
        case 'V': params.view = value; break;
        case 'R': params.report = value; break;
        case 'F': params.saveFile = YesOf(value); break;
        default: break;
        }
    }
    return TaskKindOf(params);
}

TaskKind TaskKindOf(const CTaskParams& params)
{
    if (params.user.empty() || params.password.empty() || params.host.empty() || params.task.empty())
        return taskNone;
    if (EqualsNoCase(params.task, "printrpt"))
        return !params.report.empty() && params.count > 0 ? taskPrintReport : taskNone;
    if (EqualsNoCase(params.task, "printcases"))
        return !params.viewArgument.empty() && params.count >= 0 && params.count < 100 &&
                       params.attachments && !params.view.empty()
                   ? taskPrintCases
                   : taskNone;
    if (EqualsNoCase(params.task, "importcases"))
        return !params.importFile.empty() ? taskImportCases : taskNone;
    return taskNone;
}
