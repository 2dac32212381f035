// Korrimat, the companion audit application's stand-in: a window listing the audits
// open for editing, one editing window per audit, and the link the office client talks
// to. Start it with no arguments; the office client starts it itself when needed.
//
// With KORRIMAT_SCRIPTED=1 in its environment it edits without a person, for scripted
// runs and tests: each audit handed over is saved at once with a line added to its
// remarks and then closed, and the program ends when the office client hangs up.

#include "audit_editor.h"
#include "korrimat_server.h"
#include "platform/companion_settings.h"
#include "platform/unique_file.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Korrimat");
    const bool scripted = qEnvironmentVariable("KORRIMAT_SCRIPTED") == "1";
    KorrimatServer server;
    if (!server.Listen(Companion::SocketName())) {
        std::fprintf(stderr, "korrimat: cannot listen on %s\n", qPrintable(Companion::SocketName()));
        return 1;
    }

    QMainWindow window;
    window.setObjectName("korrimatWindow");
    window.setWindowTitle("Korrimat 4.0");
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(new QLabel("Audits open for editing:", central));
    auto* list = new QListWidget(central);
    list->setObjectName("openAudits");
    layout->addWidget(list);
    window.setCentralWidget(central);
    window.statusBar()->showMessage("Waiting for the office client");
    window.resize(420, 300);
    window.show();

    QObject::connect(&server, &KorrimatServer::newAuditCreated, &window, [&](const QString& caseNumber) {
        window.statusBar()->showMessage("New audit created for case " + caseNumber);
    });
    QObject::connect(&server, &KorrimatServer::auditPoked, &window,
                     [&](quint32 id, const QString& name, const QString& file) {
                         const std::optional<std::string> audit = UniqueFile::ReadAll(file);
                         auto* editor = new AuditEditor(server, id, name, audit.value_or(std::string()));
                         auto* item = new QListWidgetItem(name + "  (#" + QString::number(id) + ")", list);
                         QObject::connect(editor, &QObject::destroyed, list, [list, item] { delete list->takeItem(list->row(item)); });
                         editor->show();
                         editor->raise();
                         window.statusBar()->showMessage("Editing " + name);
                         if (scripted) {
                             editor->AppendRemark("Reviewed in Korrimat.");
                             editor->Save();
                             editor->close();
                         }
                     });
    if (scripted)
        QObject::connect(&server, &KorrimatServer::clientLeft, &app, &QApplication::quit);
    return app.exec();
}
