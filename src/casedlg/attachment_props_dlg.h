#pragma once
// "Attachment Properties": the name, "Print attachment if it is printable", "Default
// Attachment" and, for a new attachment, the kind to add. Editing hides the kinds and
// the dialog is shorter. The state lives in AttachmentPropsLogic.

#include "casedlg/attachment_props_logic.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;

class CAttachmentPropsDlg : public QDialog {
    Q_OBJECT
public:
    CAttachmentPropsDlg(AttachmentPropsLogic& logic, QWidget* parent = nullptr);
    void accept() override;

    // Runs the dialog over the logic; true on OK.
    static bool Run(AttachmentPropsLogic& logic, QWidget* parent);

private:
    AttachmentPropsLogic& logic_;
    QLineEdit* name_ = nullptr;
    QCheckBox* print_ = nullptr;
    QCheckBox* default_ = nullptr;
    QButtonGroup* kinds_ = nullptr;
};
