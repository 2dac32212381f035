#include "report/headless_gui.h"

#include "report/report_fonts.h"

#include <QGuiApplication>

#include <memory>

void EnsureHeadlessGui()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orvenna-report";
    static char* argv[] = {name, nullptr};
    // Qt's remarks about the missing desktop (no runtime folder and the like) are of no
    // use to a program without windows; only critical messages are passed on.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            previous(type, context, text);
    });
    static const auto application = std::make_unique<QGuiApplication>(argc, argv);
    EnsureReportFonts();
}
