// OrvennaOC: the office client of the case inventory.
#include "app/orvenna_oc_app.h"
#include "app/program_help.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv, argv + argc);
    if (const std::optional<std::string> info = ProgramInfoRequest(arguments)) {
        std::fputs(info->c_str(), stdout);
        return 0;
    }
    COrvennaOCApp app(argc, argv);
    if (!app.InitInstance())
        return app.ExitCode();
    return app.exec();
}
