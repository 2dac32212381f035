// The command line's report file forms: which argument names the file, the printer and
// the output file, beside the task options and absolute paths that begin with '/'.
#include "app/shell_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CShellCommand Parse(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "OrvennaOC");
    return ParseShellCommand(arguments);
}

}  // namespace

TEST(ShellCommand, AFileOpensAndThePrintFlagsPrintIt)
{
    EXPECT_EQ(Parse({}).kind, CShellCommand::none);
    EXPECT_EQ(Parse({"-U:joe", "/W:secret", "/T:printrpt", "-R:Monthly Aging", "-C:1"}).kind, CShellCommand::none);

    const CShellCommand open = Parse({"/home/joe/Monthly Aging.tdf"});
    EXPECT_EQ(open.kind, CShellCommand::openFile);
    EXPECT_EQ(open.fileName, "/home/joe/Monthly Aging.tdf");

    // Either prefix, any letter case; task options and unknown flags are passed over.
    for (const char* flag : {"-p", "/p", "-P", "/P"}) {
        const CShellCommand print = Parse({"-U:joe", flag, "-nologo", "/srv/aging.tdf"});
        EXPECT_EQ(print.kind, CShellCommand::printFile) << flag;
        EXPECT_EQ(print.fileName, "/srv/aging.tdf") << flag;
    }

    const CShellCommand printTo = Parse({"/pt", "aging.tdf", "Front Desk", "driver", "port"});
    EXPECT_EQ(printTo.kind, CShellCommand::printFileTo);
    EXPECT_EQ(printTo.fileName, "aging.tdf");
    EXPECT_EQ(printTo.printerName, "Front Desk");

    const CShellCommand pdf = Parse({"-PDF", "/srv/aging.tdf", "/tmp/aging.pdf"});
    EXPECT_EQ(pdf.kind, CShellCommand::printFilePdf);
    EXPECT_EQ(pdf.fileName, "/srv/aging.tdf");
    EXPECT_EQ(pdf.outputFile, "/tmp/aging.pdf");
    // The flag may come after the file.
    EXPECT_EQ(Parse({"aging.tdf", "-pdf", "aging.pdf"}).outputFile, "aging.pdf");
}

TEST(ShellCommand, PathsThatLookLikeFlagsAndIncompletePrintForms)
{
    // Absolute paths that begin like the flags are paths.
    for (const char* path : {"/pdfs/aging.tdf", "/p/aging.tdf", "/ptarchive.tdf"}) {
        const CShellCommand open = Parse({path});
        EXPECT_EQ(open.kind, CShellCommand::openFile) << path;
        EXPECT_EQ(open.fileName, path);
    }
    EXPECT_EQ(Parse({"/p", "/pdfs/aging.tdf"}).fileName, "/pdfs/aging.tdf");

    // A print form that lacks its file, printer or output file is not run as another form.
    EXPECT_EQ(Parse({"-p"}).kind, CShellCommand::incomplete);
    EXPECT_EQ(Parse({"-pt", "aging.tdf"}).kind, CShellCommand::incomplete);
    EXPECT_EQ(Parse({"-pdf", "aging.tdf"}).kind, CShellCommand::incomplete);
    EXPECT_EQ(Parse({"-pdf", "", "aging.tdf"}).kind, CShellCommand::incomplete);
}
