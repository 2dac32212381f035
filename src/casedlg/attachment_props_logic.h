#pragma once
// The state of "Attachment Properties": the name (up to 80 characters), "Print
// attachment if it is printable", "Default Attachment", and for a new attachment the
// kind to add. A new attachment starts as New Audit, printed, and default only when the
// case has no attachments yet; without the companion application New Audit is not
// offered and Audit File is chosen.

#include <QString>

class AttachmentPropsLogic {
public:
    enum class Source { newAudit, auditFile, surveyFile, otherFile };
    static constexpr int kMaxName = 80;

    static AttachmentPropsLogic ForNew(bool caseHasAttachments, bool companionInstalled);
    static AttachmentPropsLogic ForEdit(const QString& name, bool toBePrinted, bool isDefault);

    bool IsNew() const { return isNew_; }
    bool NewAuditEnabled() const { return newAuditEnabled_; }

    const QString& Name() const { return name_; }
    void SetName(const QString& name) { name_ = name.left(kMaxName); }
    bool ToBePrinted() const { return toBePrinted_; }
    void SetToBePrinted(bool value) { toBePrinted_ = value; }
    bool IsDefault() const { return isDefault_; }
    void SetDefault(bool value) { isDefault_ = value; }
    Source GetSource() const { return source_; }
    // New Audit is refused while it is not offered.
    void SetSource(Source source);

private:
    bool isNew_ = false;
    bool newAuditEnabled_ = false;
    QString name_;
    bool toBePrinted_ = true;
    bool isDefault_ = false;
    Source source_ = Source::auditFile;
};
