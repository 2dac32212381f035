#include "casedlg/add_another_case_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAddAnotherCaseDlg::CAddAnotherCaseDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Add Another Case"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Would you like to add another case?"), this));
    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const QString& text, const char* name, Choice choice) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        connect(button, &QPushButton::clicked, this, [this, choice] {
            choice_ = choice;
            if (choice == Choice::quit)
                reject();
            else
                accept();
        });
        buttons->addWidget(button);
        return button;
    };
    addButton(QStringLiteral("Create From Scratch"), "fromScratch", Choice::fromScratch)->setDefault(true);
    addButton(QStringLiteral("Create From Previous"), "fromPrevious", Choice::fromPrevious);
    addButton(QStringLiteral("Quit"), "quit", Choice::quit);
    layout->addLayout(buttons);
}

CAddAnotherCaseDlg::Choice CAddAnotherCaseDlg::Ask(QWidget* parent)
{
    CAddAnotherCaseDlg dialog(parent);
    dialog.exec();
    return dialog.GetChoice();
}
