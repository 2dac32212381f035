#include "casedlg/assign_manually_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CAssignManuallyDlg::CAssignManuallyDlg(AssignManuallyLogic& logic, std::function<void()> openHistory,
                                       QWidget* parent)
    : QDialog(parent), logic_(logic), openHistory_(std::move(openHistory))
{
    setWindowTitle(QStringLiteral("Assign Case Manually"));
    auto* layout = new QVBoxLayout(this);
    program_ = new QRadioButton(QStringLiteral("Let the program manage this case's assignments"), this);
    program_->setObjectName(QStringLiteral("program"));
    child_ = new QRadioButton(QStringLiteral("Assign to a Child:"), this);
    child_->setObjectName(QStringLiteral("child"));
    archive_ = new QRadioButton(QStringLiteral("Assign to the Archive"), this);
    archive_->setObjectName(QStringLiteral("archive"));
    layout->addWidget(program_);
    layout->addWidget(child_);
    auto* grid = new QGridLayout;
    grid->setContentsMargins(24, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Group:"), this), 0, 0);
    group_ = new QComboBox(this);
    group_->setObjectName(QStringLiteral("group"));
    for (const std::string& entry : AssignManuallyLogic::GroupEntries())
        group_->addItem(QString::fromLatin1(entry));
    grid->addWidget(group_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Name:"), this), 1, 0);
    name_ = new QComboBox(this);
    name_->setObjectName(QStringLiteral("name"));
    name_->setMinimumWidth(180);
    grid->addWidget(name_, 1, 1);
    layout->addLayout(grid);
    layout->addWidget(archive_);
    history_ = new QPushButton(QStringLiteral("Assignment History..."), this);
    history_->setObjectName(QStringLiteral("history"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(history_, QDialogButtonBox::ActionRole);
    // Until the program can show the history, the button is not offered.
    history_->setVisible(static_cast<bool>(openHistory_));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(history_, &QPushButton::clicked, this, [this] {
        if (openHistory_)
            openHistory_();
    });
    const auto choose = [this](AssignManuallyLogic::Choice choice) {
        logic_.SetChoice(choice);
        Show();
    };
    connect(program_, &QRadioButton::clicked, this, [choose] { choose(AssignManuallyLogic::Choice::program); });
    connect(child_, &QRadioButton::clicked, this, [choose] { choose(AssignManuallyLogic::Choice::child); });
    connect(archive_, &QRadioButton::clicked, this, [choose] { choose(AssignManuallyLogic::Choice::archive); });
    connect(group_, &QComboBox::activated, this, [this] {
        logic_.SetGroup(group_->currentText().toStdString());
        Show();
    });
    connect(name_, &QComboBox::activated, this, [this] { logic_.SetName(name_->currentText().toStdString()); });
    Show();
}

void CAssignManuallyDlg::Show()
{
    const QSignalBlocker b1(group_), b2(name_);
    program_->setChecked(logic_.GetChoice() == AssignManuallyLogic::Choice::program);
    child_->setChecked(logic_.GetChoice() == AssignManuallyLogic::Choice::child);
    archive_->setChecked(logic_.GetChoice() == AssignManuallyLogic::Choice::archive);
    group_->setCurrentIndex(group_->findText(QString::fromLatin1(logic_.Group())));
    name_->clear();
    for (const std::string& entry : logic_.NameEntries())
        name_->addItem(QString::fromLatin1(entry));
    name_->setCurrentIndex(name_->findText(QString::fromLatin1(logic_.Name())));
    group_->setEnabled(logic_.GroupEnabled());
    name_->setEnabled(logic_.NameEnabled());
    history_->setEnabled(logic_.HistoryEnabled());
}
