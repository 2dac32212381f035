#include "records/policy_page.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CPolicyPage, kRecordSchema, true)

void CPolicyPage::Serialize(CArchive& ar)
{
    ar.String(label);
    ar.String(text);
}
