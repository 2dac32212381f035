#include "report/widgets/report_props_dlg.h"

#include "platform/user_prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CReportPropsDlg::CReportPropsDlg(ReportPropsLogic& logic, const ReportViewsHost& host, UserPrompts& prompts,
                                 QWidget* parent)
    : QDialog(parent), logic_(logic), host_(host), prompts_(prompts), name_(new QLineEdit(this)), file_(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Report Properties"));
    setObjectName(QStringLiteral("ReportProperties"));
    name_->setObjectName(QStringLiteral("name"));
    file_->setObjectName(QStringLiteral("file"));
    name_->setMaxLength(static_cast<int>(ReportPropsLogic::kMaxNameLength));
    name_->setText(Latin1(logic_.name));
    if (host_.reportFiles)
        if (const std::optional<std::vector<std::string>> files = host_.reportFiles())
            for (const std::string& file : *files)
                file_->addItem(Latin1(file));
    file_->setCurrentIndex(logic_.file.empty() ? -1 : file_->findText(Latin1(logic_.file), Qt::MatchExactly));
    connect(file_, &QComboBox::activated, this,
            [this](int index) { logic_.ChooseFile(file_->itemText(index).toLatin1().toStdString()); });

    auto* settings = new QPushButton(QStringLiteral("Settings..."), this);
    settings->setObjectName(QStringLiteral("settings"));
    settings->setAutoDefault(false);
    connect(settings, &QPushButton::clicked, this, &CReportPropsDlg::EditSettings);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CReportPropsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* settingsRow = new QHBoxLayout;
    settingsRow->addWidget(new QLabel(QStringLiteral("Report-specific settings:"), this));
    settingsRow->addWidget(settings);
    settingsRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Enter a name for the report:"), this));
    layout->addWidget(name_);
    layout->addWidget(new QLabel(QStringLiteral("Select the report file:"), this));
    layout->addWidget(file_);
    layout->addLayout(settingsRow);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

void CReportPropsDlg::EditSettings()
{
    if (logic_.file.empty()) {
        prompts_.Message(QString::fromLatin1(ReportPropsLogic::kNoReport));
        file_->setFocus();
        return;
    }
    if (!host_.editSettings)
        return;
    const std::string settings = logic_.SettingsForRequest();
    if (std::optional<std::string> changed = host_.editSettings(logic_.file, settings))
        logic_.SettingsReceived(std::move(*changed));
}

void CReportPropsDlg::accept()
{
    logic_.name = name_->text().toLatin1().toStdString();
    if (const std::optional<ReportPropsFailure> failure = logic_.Validate()) {
        prompts_.Message(QString::fromLatin1(failure->message));
        if (failure->field == ReportPropsFailure::file)
            file_->setFocus();
        else
            name_->setFocus();
        return;
    }
    QDialog::accept();
}
