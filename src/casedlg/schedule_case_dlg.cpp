#include "casedlg/schedule_case_dlg.h"

#include "platform/user_prompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// "##/##/####" and "##:## UU": digits, and letters shown in capitals.
QLineEdit* MaskedEdit(const QString& mask, const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setInputMask(mask);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
    return edit;
}

}  // namespace

CScheduleCaseDlg::CScheduleCaseDlg(ScheduleLogic& logic, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent),
      logic_(logic),
      prompts_(prompts),
      scheduled_(new QCheckBox(QStringLiteral("&Scheduled"), this)),
      date_(MaskedEdit(QStringLiteral("99/99/9999;_"), QStringLiteral("date"), this)),
      exactTime_(new QCheckBox(QStringLiteral("Exact Time or Start Range:"), this)),
      startTime_(MaskedEdit(QStringLiteral("99:99 >AA;_"), QStringLiteral("startTime"), this)),
      endingRange_(new QCheckBox(QStringLiteral("Ending Time Range:"), this)),
      endTime_(MaskedEdit(QStringLiteral("99:99 >AA;_"), QStringLiteral("endTime"), this))
{
    setWindowTitle(QStringLiteral("Schedule Case"));
    scheduled_->setObjectName(QStringLiteral("scheduled"));
    exactTime_->setObjectName(QStringLiteral("exactTime"));
    endingRange_->setObjectName(QStringLiteral("endingRange"));

    auto* dateLabel = new QLabel(QStringLiteral("&Date:"), this);
    dateLabel->setBuddy(date_);
    auto* grid = new QGridLayout;
    grid->addWidget(scheduled_, 0, 0, 1, 2);
    grid->addWidget(dateLabel, 1, 0);
    grid->addWidget(date_, 1, 1);
    grid->addWidget(exactTime_, 2, 0);
    grid->addWidget(startTime_, 2, 1);
    grid->addWidget(endingRange_, 3, 0);
    grid->addWidget(endTime_, 3, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    {
        const QSignalBlocker b1(scheduled_), b2(exactTime_), b3(endingRange_);
        scheduled_->setChecked(logic_.scheduled);
        date_->setText(QString::fromLatin1(logic_.dateText));
        exactTime_->setChecked(logic_.exactTime);
        startTime_->setText(QString::fromLatin1(logic_.startTimeText));
        endingRange_->setChecked(logic_.endingRange);
        endTime_->setText(QString::fromLatin1(logic_.endTimeText));
    }
    for (QCheckBox* box : {scheduled_, exactTime_, endingRange_})
        connect(box, &QCheckBox::clicked, this, [this] {
            ReadControls();
            ShowStates();
        });
    ShowStates();
}

void CScheduleCaseDlg::ReadControls()
{
    logic_.scheduled = scheduled_->isChecked();
    logic_.dateText = date_->text().toLatin1().toStdString();
    logic_.exactTime = exactTime_->isChecked();
    logic_.startTimeText = startTime_->text().toLatin1().toStdString();
    logic_.endingRange = endingRange_->isChecked();
    logic_.endTimeText = endTime_->text().toLatin1().toStdString();
}

void CScheduleCaseDlg::ShowStates()
{
    date_->setEnabled(logic_.DateEnabled());
    exactTime_->setEnabled(logic_.ExactTimeEnabled());
    startTime_->setEnabled(logic_.StartTimeEnabled());
    endingRange_->setEnabled(logic_.EndingRangeEnabled());
    endTime_->setEnabled(logic_.EndTimeEnabled());
}

void CScheduleCaseDlg::accept()
{
    ReadControls();
    const auto result = logic_.Result();
    if (const std::string* message = std::get_if<std::string>(&result)) {
        QLineEdit* field = *message == "The ending date/time is invalid" ? endTime_ : date_;
        prompts_.Message(QString::fromLatin1(*message));
        field->setFocus();
        return;
    }
    QDialog::accept();
}
