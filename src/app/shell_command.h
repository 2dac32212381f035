#pragma once
// What the command line asks of the program besides an unattended task: to open a
// report file, or to print one and end.
//
//   OrvennaOC FILE.tdf                     opens the report file and shows it
//   OrvennaOC -p FILE.tdf                  prints it on the default printer, then ends
//   OrvennaOC -pt FILE.tdf PRINTER         prints it on the named printer, then ends
//   OrvennaOC -pdf FILE.tdf OUTPUT.pdf     prints it into a PDF file, then ends
//
// A flag begins with '-' or '/' and is read without regard to case ("/P" is "-p").
// Other flags are passed over, and so are the task options ("-U:joe", "/T:printrpt").
// Because absolute paths begin with '/' as well, an argument that begins with '/' is a
// flag only when it is one of the flags above or a task option (its third character is
// ':'); any other is a path. The first argument that is not a flag names the file; for
// -pt and -pdf the next one names the printer or the output file.

#include <span>
#include <string>

struct CShellCommand {
    enum Kind {
        none,          // no report file on the command line
        openFile,      // show the file in the report pane
        printFile,     // print it on the default printer
        printFileTo,   // print it on the printer named
        printFilePdf,  // print it into the output file as PDF
        incomplete,    // a print flag without its file, printer or output file
    };

    Kind kind = none;
    std::string fileName;
    std::string printerName;  // printFileTo
    std::string outputFile;   // printFilePdf

    bool IsPrint() const { return kind == printFile || kind == printFileTo || kind == printFilePdf; }
};

// Reads the arguments; the first is the program and is skipped. A print flag without a
// file, or -pt and -pdf without their printer or output file, is `incomplete`: the
// program then says how the forms go and ends, rather than wait for a user who may not
// be there.
CShellCommand ParseShellCommand(std::span<const std::string> arguments);
