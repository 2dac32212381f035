#include "admin/territory_dlg.h"

#include "admin/geo_names.h"
#include "admin/territory_sheet_state.h"
#include "platform/user_prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString L1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Std(const QString& text)
{
    return text.trimmed().toLatin1().toStdString();
}

std::string Cell(QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? Std(item->text()) : std::string();
}

QTableWidget* Grid(const QStringList& headings, const char* objectName, QWidget* parent)
{
    auto* table = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    table->setObjectName(objectName);
    table->setHorizontalHeaderLabels(headings);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setDefaultSectionSize(20);
    return table;
}

}  // namespace

CTerritoryDlg::CTerritoryDlg(CTerritorySheetState& state, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_state(state), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("Territory"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(L1(m_state.Territory().territoryName), this);
    m_name->setObjectName("name");
    m_name->setMaxLength(50);
    form->addRow(QStringLiteral("Name of Territory:"), m_name);
    m_billingCode = new QSpinBox(this);
    m_billingCode->setObjectName("billingCode");
    m_billingCode->setRange(0, kMaxBillingCode);
    m_billingCode->setValue(m_state.Territory().billingCode);
    form->addRow(QStringLiteral("Billing Code:"), m_billingCode);
    layout->addLayout(form);

    auto* grids = new QGridLayout;
    grids->addWidget(new QLabel(QStringLiteral("Zip Codes:"), this), 0, 0);
    grids->addWidget(new QLabel(QStringLiteral("Counties:"), this), 0, 1);
    m_zips = Grid({QStringLiteral("Zip Code")}, "zipCodes", this);
    m_counties = Grid({QStringLiteral("County"), QStringLiteral("State")}, "counties", this);
    grids->addWidget(m_zips, 1, 0);
    grids->addWidget(m_counties, 1, 1);
    for (int column = 0; column < 2; ++column) {
        QTableWidget* table = column == 0 ? m_zips : m_counties;
        table->installEventFilter(this);
        auto* row = new QHBoxLayout;
        auto* add = new QPushButton(QStringLiteral("Add"), this);
        auto* paste = new QPushButton(QStringLiteral("Paste"), this);
        auto* remove = new QPushButton(QStringLiteral("Remove"), this);
        row->addWidget(add);
        row->addWidget(paste);
        row->addWidget(remove);
        grids->addLayout(row, 2, column);
        connect(add, &QPushButton::clicked, this, [table] {
            table->insertRow(table->rowCount());
            table->setCurrentCell(table->rowCount() - 1, 0);
            table->editItem(table->currentItem());
        });
        connect(paste, &QPushButton::clicked, this, [this, column] {
            const QString text = QGuiApplication::clipboard()->text();
            column == 0 ? PasteZipCodes(text) : PasteCounties(text);
        });
        connect(remove, &QPushButton::clicked, this, [table] {
            const QList<QTableWidgetSelectionRange> ranges = table->selectedRanges();
            for (auto it = ranges.rbegin(); it != ranges.rend(); ++it)
                for (int r = it->bottomRow(); r >= it->topRow(); --r)
                    table->removeRow(r);
        });
    }
    layout->addLayout(grids);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTerritoryDlg::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    LoadGrids();
    resize(520, 420);
}

void CTerritoryDlg::LoadGrids()
{
    const CAdminTerritory& territory = m_state.Territory();
    m_zips->setRowCount(static_cast<int>(territory.zipCodes.size()));
    for (size_t i = 0; i < territory.zipCodes.size(); ++i)
        m_zips->setItem(static_cast<int>(i), 0, new QTableWidgetItem(L1(territory.zipCodes[i])));
    m_counties->setRowCount(static_cast<int>(territory.counties.size()));
    for (size_t i = 0; i < territory.counties.size(); ++i) {
        m_counties->setItem(static_cast<int>(i), 0, new QTableWidgetItem(L1(territory.counties[i])));
        const std::string state = i < territory.countyStates.size() ? territory.countyStates[i] : std::string();
        m_counties->setItem(static_cast<int>(i), 1, new QTableWidgetItem(L1(state)));
    }
}

bool CTerritoryDlg::StoreGrids()
{
    std::vector<std::string> typedZips;
    for (int row = 0; row < m_zips->rowCount(); ++row)
        if (std::string zip = Cell(m_zips, row, 0); !zip.empty())
            typedZips.push_back(zip);
    std::vector<std::pair<std::string, std::string>> typedCounties;
    for (int row = 0; row < m_counties->rowCount(); ++row)
        if (std::string county = Cell(m_counties, row, 0); !county.empty())
            typedCounties.emplace_back(county, Cell(m_counties, row, 1));
    std::vector<std::string> zips;
    std::vector<std::string> counties;
    std::vector<std::string> states;
    std::optional<std::string> refusal = AddZipCodes(zips, typedZips);
    if (!refusal)
        refusal = AddCounties(counties, states, typedCounties);
    if (refusal) {
        m_prompts.Message(L1(*refusal));
        return false;
    }
    CAdminTerritory& territory = m_state.Territory();
    territory.zipCodes = std::move(zips);
    territory.counties = std::move(counties);
    territory.countyStates = std::move(states);
    return true;
}

bool CTerritoryDlg::PasteZipCodes(const QString& text)
{
    if (!StoreGrids())
        return false;
    if (auto refusal = AddZipCodes(m_state.Territory().zipCodes, PastedColumn(text.toLatin1().toStdString()))) {
        m_prompts.Message(L1(*refusal));
        return false;
    }
    LoadGrids();
    return true;
}

bool CTerritoryDlg::PasteCounties(const QString& text)
{
    if (!StoreGrids())
        return false;
    std::vector<std::pair<std::string, std::string>> added;
    for (const auto& row : PastedRows(text.toLatin1().toStdString()))
        if (!row[0].empty())
            added.emplace_back(row[0], row.size() > 1 ? row[1] : std::string());
    CAdminTerritory& territory = m_state.Territory();
    if (auto refusal = AddCounties(territory.counties, territory.countyStates, added)) {
        m_prompts.Message(L1(*refusal));
        return false;
    }
    LoadGrids();
    return true;
}

bool CTerritoryDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        const QString text = QGuiApplication::clipboard()->text();
        if (watched == m_zips)
            PasteZipCodes(text);
        else if (watched == m_counties)
            PasteCounties(text);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CTerritoryDlg::Confirm()
{
    CAdminTerritory& territory = m_state.Territory();
    territory.territoryName = Std(m_name->text());
    territory.billingCode = m_billingCode->value();
    if (!StoreGrids())
        return;
    if (auto refusal = m_state.Check()) {
        m_name->setFocus();
        m_name->selectAll();
        m_prompts.Message(L1(*refusal));
        return;
    }
    accept();
}
