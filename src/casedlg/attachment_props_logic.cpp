#include "casedlg/attachment_props_logic.h"

AttachmentPropsLogic AttachmentPropsLogic::ForNew(bool caseHasAttachments, bool companionInstalled)
{
    AttachmentPropsLogic logic;
    logic.isNew_ = true;
    logic.newAuditEnabled_ = companionInstalled;
    logic.source_ = companionInstalled ? Source::newAudit : Source::auditFile;
    logic.toBePrinted_ = true;
    logic.isDefault_ = !caseHasAttachments;
    return logic;
}

AttachmentPropsLogic AttachmentPropsLogic::ForEdit(const QString& name, bool toBePrinted, bool isDefault)
{
    AttachmentPropsLogic logic;
    logic.SetName(name);
    logic.toBePrinted_ = toBePrinted;
    logic.isDefault_ = isDefault;
    return logic;
}

void AttachmentPropsLogic::SetSource(Source source)
{
    if (source == Source::newAudit && !newAuditEnabled_)
        return;
    source_ = source;
}
