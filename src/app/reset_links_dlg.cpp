#include "app/reset_links_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CResetLinksDlg::CResetLinksDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Reset Case Linkages"));
    auto* layout = new QVBoxLayout(this);
    const char* const texts[3] = {"Reset both Parent and Child linking statuses", "Reset Parent linking status only",
                                  "Reset Child linking status only"};
    for (int i = 0; i < 3; ++i) {
        choices_[i] = new QRadioButton(QString::fromLatin1(texts[i]), this);
        choices_[i]->setObjectName(QStringLiteral("choice%1").arg(i));
        layout->addWidget(choices_[i]);
    }
    choices_[0]->setChecked(true);
    auto* caution = new QLabel(QStringLiteral("Caution:  This should only be done if linked cases cannot be unlinked.  "
                                              "This operation can break links, leaving one or more cases out of sync "
                                              "between Parent and Child.  Use only with extreme care!"),
                               this);
    caution->setObjectName(QStringLiteral("caution"));
    caution->setWordWrap(true);
    layout->addSpacing(8);
    layout->addWidget(caution);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setFixedWidth(360);
}

CInventoryServer::LinkReset CResetLinksDlg::Choice() const
{
    if (choices_[1]->isChecked())
        return CInventoryServer::resetParentLink;
    if (choices_[2]->isChecked())
        return CInventoryServer::resetChildLink;
    return CInventoryServer::resetBothLinks;
}
