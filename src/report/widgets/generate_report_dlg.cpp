#include "report/widgets/generate_report_dlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CGenerateReportDlg::CGenerateReportDlg(const std::vector<std::string>& reportNames, Properties properties,
                                       Generate generate, QWidget* parent)
    : QDialog(parent),
      properties_(std::move(properties)),
      generate_(std::move(generate)),
      reports_(new QListWidget(this)),
      output_(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("Generate Report For Selected Cases"));
    setObjectName(QStringLiteral("GenerateReport"));
    reports_->setObjectName(QStringLiteral("reports"));
    for (const std::string& name : reportNames)
        reports_->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    if (reports_->count() > 0)
        reports_->setCurrentRow(0);

    auto* outputBox = new QGroupBox(QStringLiteral("Output"), this);
    auto* outputLayout = new QVBoxLayout(outputBox);
    const char* kinds[4] = {"Display Report", "Export Report to PDF", "Export Report to TIFF", "Export Report to XPS"};
    for (int kind = 0; kind < 4; ++kind) {
        auto* button = new QRadioButton(QString::fromLatin1(kinds[kind]), outputBox);
        button->setObjectName(QStringLiteral("output%1").arg(kind));
        output_->addButton(button, kind);
        outputLayout->addWidget(button);
    }
    output_->button(0)->setChecked(true);

    auto* generateButton = new QPushButton(QStringLiteral("Generate"), this);
    auto* propertiesButton = new QPushButton(QStringLiteral("Properties..."), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    generateButton->setObjectName(QStringLiteral("generate"));
    propertiesButton->setObjectName(QStringLiteral("properties"));
    generateButton->setDefault(true);
    propertiesButton->setAutoDefault(false);
    close->setAutoDefault(false);
    connect(generateButton, &QPushButton::clicked, this, [this] {
        const std::string name = SelectedName();
        if (!name.empty() && generate_)
            generate_(name, output_->checkedId());
    });
    connect(propertiesButton, &QPushButton::clicked, this, [this] {
        const std::string name = SelectedName();
        if (!name.empty() && properties_)
            properties_(name);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select Report:"), this), 0, 0);
    layout->addWidget(reports_, 1, 0, 4, 1);
    layout->addWidget(outputBox, 5, 0);
    layout->addWidget(generateButton, 1, 1);
    layout->addWidget(propertiesButton, 2, 1);
    layout->addWidget(close, 3, 1);
    layout->setRowStretch(4, 1);
}

std::string CGenerateReportDlg::SelectedName() const
{
    const QListWidgetItem* item = reports_->currentItem();
    return item ? item->text().toLatin1().toStdString() : std::string();
}
