#include "records/ui_control.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CUIControl, kRecordSchema, true)
ORV_IMPLEMENT_SERIAL(CUIEditControl, kRecordSchema, true)
ORV_IMPLEMENT_SERIAL(CUIDateEditControl, kRecordSchema, true)
ORV_IMPLEMENT_SERIAL(CUIStaticControl, kRecordSchema, true)
ORV_IMPLEMENT_SERIAL(CUIButtonControl, kRecordSchema, true)
ORV_IMPLEMENT_SERIAL(CUIComboBoxControl, kRecordSchema, true)
ORV_IMPLEMENT_SERIAL(CUICheckListBoxControl, kRecordSchema, true)

void CUIControl::Serialize(CArchive& ar)
{
    ar.Int32(style);
    ar.String(text);
    ar.Int32(rect.left);
    ar.Int32(rect.top);
    ar.Int32(rect.right);
    ar.Int32(rect.bottom);
    ar.Int32(controlId);
}

void CUIDateEditControl::Serialize(CArchive& ar)
{
    CUIControl::Serialize(ar);
    ar.DateTime(date);
}

void CUIButtonControl::Serialize(CArchive& ar)
{
    CUIControl::Serialize(ar);
    ar.Int32(checkState);
}

void CUIComboBoxControl::Serialize(CArchive& ar)
{
    CUIControl::Serialize(ar);
    ar.StringArray(items);
}

void CUICheckListBoxControl::Serialize(CArchive& ar)
{
    CUIControl::Serialize(ar);
    ar.StringArray(items);
    SerializeInt32List(ar, checkStates);
    SerializeInt32List(ar, itemData);
}
