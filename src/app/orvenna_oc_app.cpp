#include "app/orvenna_oc_app.h"

#include "app/desktop_dialogs.h"
#include "app/dialog_prompts.h"
#include "app/main_frame.h"
#include "app/orvenna_oc_doc.h"
#include "platform/settings_file.h"

orv_app_detail::ProcessArguments::ProcessArguments(int argc, char** argv)
{
    for (int i = 0; i < argc && argv[i] != nullptr; ++i)
        received.emplace_back(argv[i]);
}

COrvennaOCApp::COrvennaOCApp(int& argc, char** argv)
    : orv_app_detail::ProcessArguments(argc, argv), QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("OrvennaOC"));
    setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
}

COrvennaOCApp::~COrvennaOCApp()
{
    frame_.reset();
    document_.reset();
    prompts_.reset();
}

TaskKind COrvennaOCApp::ParseTaskArgs(CTaskParams& params) const
{
    return ::ParseTaskArgs(received, params);
}

bool COrvennaOCApp::InitInstance()
{
    prompts_ = std::make_unique<DialogPrompts>();
    document_ = std::make_unique<COrvennaOCDoc>(*prompts_, SettingsFilePath());
    document_->SetDialogs(DesktopDialogs(*prompts_));
    frame_ = std::make_unique<CMainFrame>(*document_);
    prompts_->SetParent(frame_.get());

    frame_->show();
    return true;
}
