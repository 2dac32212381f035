#pragma once
// The options of an unattended task as the command line gives them, and their parsing.
// An option is "-X:value" or "/X:value" with a letter X in either case:
//
//   U user   W password   H host   T task ("printrpt", "printcases", "importcases")
//   M import file   O port   C count of copies   P view argument (the tree node name)
//   G group   A attachments (yes/no)   N copies from the parent account (yes/no)
//   V case view name   R report view name   F also save the report to a file (yes/no)
//
// Texts are the wire's 8-bit texts.

#include <cstdint>
#include <span>
#include <string>

enum TaskKind : int {
    taskNone = 0,
    taskPrintReport = 1,
    taskPrintCases = 2,
    taskImportCases = 3,
};

struct CTaskParams {
    std::string user;
    std::string password;
    std::string host;
    std::string task;
    std::string importFile;
    int32_t port = 9000;
    int32_t count = 0;
    std::string viewArgument;
    std::string group;
    bool attachments = false;
    bool parentCopies = false;
    std::string view;
    std::string report;
    bool saveFile = false;
};

// Reads the process arguments (the first is the program and is skipped) into `params`
// and returns the task they describe. An argument is an option only when it starts with
// '-' or '/', is longer than three characters and holds a ':' somewhere; its letter is
// the second character, its value everything from the fourth on (the third is not
// examined). Later options overwrite earlier ones; unknown letters and other arguments
// are skipped. Options that do not make a complete task give taskNone, so the program
// starts interactively without a word.
TaskKind ParseTaskArgs(std::span<const std::string> arguments, CTaskParams& params);

// The task the parsed options make (the last step of ParseTaskArgs).
TaskKind TaskKindOf(const CTaskParams& params);
