#pragma once
// "Attachments" of one case: the list (Name, Type, Printable, Should Print) with Open,
// New..., Remove and Properties... The operations are CCaseAttachments'; the dialog
// refills the list after each change.

#include "records/attachment.h"

#include <QDialog>

#include <string>
#include <vector>

class CCaseAttachments;
class QPushButton;
class QTreeWidget;

class CAttachmentsDlg : public QDialog {
    Q_OBJECT
public:
    CAttachmentsDlg(CCaseAttachments& attachments, std::string caseNumber, QWidget* parent = nullptr);

    // The Type column's text: the kind, and for files the kind + ": " + file name.
    static QString TypeText(const CAttachment& attachment);
    bool Changed() const { return changed_; }
    void Refill();

private:
    std::vector<CAttachment> Selection() const;
    void OnOpen();
    void OnNew();
    void OnRemove();
    void OnProperties();

    CCaseAttachments& attachments_;
    std::string caseNumber_;
    std::vector<CAttachment> list_;
    QTreeWidget* view_ = nullptr;
    bool changed_ = false;
    bool read_ = false;
};
