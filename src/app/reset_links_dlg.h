#pragma once
// The "Reset Case Linkages" dialog: which linking statuses to reset, under its caution.

#include "net/inventory_server.h"

#include <QDialog>

class QRadioButton;

class CResetLinksDlg : public QDialog {
    Q_OBJECT
public:
    explicit CResetLinksDlg(QWidget* parent = nullptr);

    CInventoryServer::LinkReset Choice() const;

private:
    QRadioButton* choices_[3];
};
