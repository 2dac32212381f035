// OrvennaOC: the office client of the case inventory.
#include "app/orvenna_oc_app.h"

int main(int argc, char** argv)
{
    COrvennaOCApp app(argc, argv);
    if (!app.InitInstance())
        return app.ExitCode();
    return app.exec();
}
