#include "app/orvenna_oc_app.h"

orv_app_detail::ProcessArguments::ProcessArguments(int argc, char** argv)
{
    for (int i = 0; i < argc && argv[i] != nullptr; ++i)
        received.emplace_back(argv[i]);
}

COrvennaOCApp::COrvennaOCApp(int& argc, char** argv)
    : orv_app_detail::ProcessArguments(argc, argv), QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("OrvennaOC"));
}

TaskKind COrvennaOCApp::ParseTaskArgs(CTaskParams& params) const
{
    return ::ParseTaskArgs(received, params);
}
