#include "casedlg/case_prop_user_flags_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CCasePropUserFlagsDlg::CCasePropUserFlagsDlg(CasePropsLogic& logic, UserPrompts& prompts, QWidget* parent)
    : CCasePropPage(logic, prompts, parent)
{
    auto* layout = new QHBoxLayout(this);
    for (int list = 0; list < 2; ++list) {
        lists_[list] = new QListWidget(this);
        lists_[list]->setObjectName(QStringLiteral("userFlags%1").arg(list + 1));
        for (int i = list * 16; i < list * 16 + 16; ++i) {
            auto* item = new QListWidgetItem(Latin1(logic.Info().FlagName(i)), lists_[list]);
            item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            item->setCheckState(Qt::Unchecked);
        }
        layout->addWidget(lists_[list]);
    }
}

void CCasePropUserFlagsDlg::Load()
{
    const uint32_t flags = static_cast<uint32_t>(logic_.Case().userFlags);
    for (int i = 0; i < 32; ++i)
        lists_[i / 16]->item(i % 16)->setCheckState((flags >> i) & 1U ? Qt::Checked : Qt::Unchecked);
}

void CCasePropUserFlagsDlg::Store()
{
    uint32_t flags = 0;
    for (int i = 0; i < 32; ++i)
        if (lists_[i / 16]->item(i % 16)->checkState() == Qt::Checked)
            flags |= 1U << i;
    logic_.Case().userFlags = static_cast<int32_t>(flags);
}

CCasePropEndWizPage::CCasePropEndWizPage(CasePropsLogic& logic, UserPrompts& prompts, QWidget* parent)
    : CCasePropPage(logic, prompts, parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("This case is now ready to be added to the inventory.  Press the 'Finish' "
                                           "button to complete the addition."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch(1);
}
