#include "app/program_help.h"

#include "orv_version.h"

std::string ProgramHelpText()
{
    return "Usage: OrvennaOC [FILE.tdf]\n"
           "       OrvennaOC -p FILE.tdf\n"
           "       OrvennaOC -pt FILE.tdf PRINTER\n"
           "       OrvennaOC -pdf FILE.tdf OUTPUT.pdf\n"
           "       OrvennaOC -U:USER -W:PASSWORD -H:HOST [-O:PORT] -T:TASK [task options]\n"
           "\n"
           "The office client of the Orvenna case inventory. Without arguments it opens the\n"
           "main window; log in from the File menu.\n"
           "\n"
           "Report files:\n"
           "  FILE.tdf                 open the report file and show it\n"
           "  -p FILE.tdf              print it on the default printer and exit\n"
           "  -pt FILE.tdf PRINTER     print it on the named printer and exit\n"
           "  -pdf FILE.tdf OUT.pdf    print it into a PDF file and exit\n"
           "\n"
           "Unattended tasks (options read -X:VALUE or /X:VALUE; yes/no values start with Y or N):\n"
           "  -T:printrpt    -R:REPORT -C:COPIES [-F:Y]\n"
           "                 print a report view COPIES times (1 or more); -F:Y also saves it\n"
           "                 as REPORT-yy-mm-dd-HH-MM-SS.tdf in the current folder\n"
           "  -T:printcases  -V:CASEVIEW -P:NODE -A:Y [-G:GROUP] [-C:COPIES] [-N:Y]\n"
           "                 print the cases of a case view run for a tree node, with their\n"
           "                 attachments; COPIES 0 to 99; -N:Y takes the copies from each\n"
           "                 case's parent account\n"
           "  -T:importcases -M:FILE\n"
           "                 import the cases of a file\n"
           "  -U:USER -W:PASSWORD -H:HOST  log in as USER on the server HOST (all three needed)\n"
           "  -O:PORT                      the server's port (default 9000)\n"
           "A task that lacks one of its options starts the window instead. A task writes its\n"
           "progress and failures to the task log (OrvennaOC.LOG).\n"
           "\n"
           "Files: the settings file OrvennaOC.INI and the task log OrvennaOC.LOG lie beside the\n"
           "program, or, where its folder cannot be written (an installed program), in\n"
           "$XDG_CONFIG_HOME (normally ~/.config).\n"
           "\n"
           "  --help       show this text\n"
           "  --version    show the version\n";
}

std::string ProgramVersionText()
{
    return "OrvennaOC " ORV_VERSION "\n";
}

std::optional<std::string> ProgramInfoRequest(std::span<const std::string> arguments)
{
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--help" || arguments[i] == "-h" || arguments[i] == "-?")
            return ProgramHelpText();
        if (arguments[i] == "--version")
            return ProgramVersionText();
    }
    return std::nullopt;
}
