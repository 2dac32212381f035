// Byte layouts of the report view records, the settings dialog with its control kinds,
// and the server's report property and event records.
#include "record_layout.h"

#include "codec/string_object.h"
#include "records/orv_event.h"
#include "records/orv_report_props.h"
#include "records/report_prop_item.h"
#include "records/ui_control.h"
#include "records/ui_dialog.h"

#include <gtest/gtest.h>

namespace {

void FillControl(Layout& l, CUIControl& c)
{
    l.Int(c.style);
    l.Text(c.text);
    l.Int(c.rect.left);
    l.Int(c.rect.top);
    l.Int(c.rect.right);
    l.Int(c.rect.bottom);
    l.Int(c.controlId);
}

template <class T>
std::shared_ptr<T> AddControl(CUIDialog& dialog)
{
    auto control = std::make_shared<T>();
    dialog.controls.push_back(control);
    return control;
}

// A dialog with one control of every kind, and the bytes it must give. Each kind is a
// new class: class and object take the indices 2k-1 and 2k.
CUIDialog DialogOfEveryKind(Layout& l)
{
    CUIDialog d;
    l.Count(7);
    l.NewClass("CUIControl", 100);
    FillControl(l, *AddControl<CUIControl>(d));
    l.NewClass("CUIEditControl", 100);
    FillControl(l, *AddControl<CUIEditControl>(d));
    l.NewClass("CUIDateEditControl", 100);
    auto date = AddControl<CUIDateEditControl>(d);
    FillControl(l, *date);
    l.Date(date->date);
    l.NewClass("CUIStaticControl", 100);
    FillControl(l, *AddControl<CUIStaticControl>(d));
    l.NewClass("CUIButtonControl", 100);
    auto button = AddControl<CUIButtonControl>(d);
    FillControl(l, *button);
    l.Int(button->checkState);
    l.NewClass("CUIComboBoxControl", 100);
    auto combo = AddControl<CUIComboBoxControl>(d);
    FillControl(l, *combo);
    l.Texts(combo->items, 3);
    l.NewClass("CUICheckListBoxControl", 100);
    auto list = AddControl<CUICheckListBoxControl>(d);
    FillControl(l, *list);
    l.Texts(list->items, 3);
    l.Ints(list->checkStates, 3);
    l.Ints(list->itemData, 2);  // fewer item data than items
    l.Int(d.width);
    l.Int(d.height);
    l.Text(d.title);
    return d;
}

}  // namespace

TEST(ReportRecordLayout, ReportPropItemCarriesItsSettingsBytes)
{
    CReportPropItem item;
    Layout l;
    l.Text(item.name);
    l.Text(item.reportFile);
    l.Block(item.settings, 5);
    ExpectLayout(item, l);

    // Without settings the size 0 ends the record, and loading it drops the settings
    // the item held before.
    Layout empty;
    empty.Str("n").Str("f").I32(0);
    LoadInto(item, empty.Bytes());
    EXPECT_TRUE(item.settings.empty());
    EXPECT_EQ(Hex(Store(item)), Hex(empty.Bytes()));
}

TEST(ReportRecordLayout, BadSettingsSizesFailWithoutAllocating)
{
    Layout negative;
    negative.Str("n").Str("f").I32(-1);
    EXPECT_EQ(LoadFailure<CReportPropItem>(negative.Bytes()), CCodecException::limitExceeded);
    Layout huge;
    huge.Str("n").Str("f").I32(0x7FFFFFFF).Raw("abc");
    EXPECT_EQ(LoadFailure<CReportPropItem>(huge.Bytes()), CCodecException::limitExceeded);
}

TEST(ReportRecordLayout, DialogWithEveryControlKind)
{
    Layout l;
    CUIDialog d = DialogOfEveryKind(l);
    ExpectLayout(d, l);

    CUIDialog loaded;
    LoadInto(loaded, l.Bytes());
    ASSERT_EQ(loaded.controls.size(), 7u);
    auto list = std::dynamic_pointer_cast<CUICheckListBoxControl>(loaded.controls[6]);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->itemData.size(), 2u);
    EXPECT_TRUE(std::dynamic_pointer_cast<CUIDateEditControl>(loaded.controls[2]));
    EXPECT_EQ(typeid(*loaded.controls[0]), typeid(CUIControl));
}

TEST(ReportRecordLayout, SharedControlIsWrittenOnceAndLoadedShared)
{
    CUIDialog d;
    auto edit = AddControl<CUIEditControl>(d);
    d.controls.push_back(edit);
    Layout l;
    l.Count(2).NewClass("CUIEditControl", 100);
    FillControl(l, *edit);
    l.ObjectRef(2);
    l.Int(d.width);
    l.Int(d.height);
    l.Text(d.title);
    EXPECT_EQ(Hex(Store(d)), Hex(l.Bytes()));

    CUIDialog loaded;
    LoadInto(loaded, l.Bytes());
    ASSERT_EQ(loaded.controls.size(), 2u);
    EXPECT_EQ(loaded.controls[0], loaded.controls[1]);
}

TEST(ReportRecordLayout, NewControlsStartWithTheirStylesAndANullDate)
{
    CUIDateEditControl date;
    Layout l;
    l.I32(0x50810000).Str("").I32(0).I32(0).I32(0).I32(0).I32(0).DateTime({CDateTime::null, 0.0});
    EXPECT_EQ(Hex(Store(date)), Hex(l.Bytes()));
    EXPECT_EQ(CUIEditControl().style, 0x50810000);
    EXPECT_EQ(CUIStaticControl().style, 0x50000000);
    EXPECT_EQ(CUIButtonControl().style, 0x50000000);
    EXPECT_EQ(CUIControl().style, 0);
}

TEST(ReportRecordLayout, UnknownOrWrongControlsAndHugeListsFail)
{
    Layout unknown;
    unknown.Count(1).NewClass("CUISliderControl", 100);
    EXPECT_EQ(LoadFailure<CUIDialog>(unknown.Bytes()), CCodecException::badClass);

    Layout notAControl;
    notAControl.Count(1).NewClass("CStringObject", 100).Str("x").I32(0).I32(0).Str("");
    EXPECT_EQ(LoadFailure<CUIDialog>(notAControl.Bytes()), CCodecException::badClass);

    Layout nullControl;
    nullControl.Count(1).ObjectRef(0).I32(0).I32(0).Str("");
    EXPECT_EQ(LoadFailure<CUIDialog>(nullControl.Bytes()), CCodecException::badFormat);

    // A check list announcing a million check states in a few bytes.
    Layout hugeList;
    hugeList.Count(1).NewClass("CUICheckListBoxControl", 100);
    hugeList.I32(0).Str("").I32(0).I32(0).I32(0).I32(0).I32(0).Count(0).Count(1000000).I32(1);
    EXPECT_EQ(LoadFailure<CUIDialog>(hugeList.Bytes()), CCodecException::limitExceeded);
}

TEST(ReportRecordLayout, CopiedDialogOwnsControlsOfTheSameKinds)
{
    Layout l;
    const CUIDialog original = DialogOfEveryKind(l);
    CUIDialog copy = original;
    ASSERT_EQ(copy.controls.size(), original.controls.size());
    for (size_t i = 0; i < copy.controls.size(); ++i) {
        EXPECT_NE(copy.controls[i], original.controls[i]);
        EXPECT_EQ(typeid(*copy.controls[i]), typeid(*original.controls[i]));
    }
    EXPECT_EQ(Hex(Store(copy)), Hex(l.Bytes()));
    copy.controls[5]->text = "edited";
    EXPECT_NE(original.controls[5]->text, "edited");
}

TEST(ReportRecordLayout, ReportPropsWithQueryInPlaceAndCarriedObjects)
{
    CORVReportProps p;
    Layout l;
    for (std::string& text : p.texts)
        l.Text(text);
    for (int32_t& number : p.numbers)
        l.Int(number);
    // The definition is written in place: its column class takes index 1, so the
    // carried list's classes continue at 3.
    p.query.name = "Open cases";
    p.query.columns.push_back(std::make_shared<CCaseQueryColInfo>());
    p.query.columns[0]->header = "Case #";
    l.Raw(Store(p.query));
    auto text = std::make_shared<CStringObject>("carried");
    auto trigger = std::make_shared<CORVWatchTrigger>();
    p.objects = {text, trigger, nullptr};
    l.Count(3).NewClass("CStringObject", 100).Str("carried");
    l.NewClass("CORVWatchTrigger", 101);
    l.Int(trigger->opaqueInt1);
    l.Int(trigger->opaqueInt2);
    l.Int(trigger->opaqueInt3);
    l.ObjectRef(0);
    l.Block(p.block, 4);
    ExpectLayout(p, l);
}

TEST(ReportRecordLayout, EventRecordsWriteTheirBaseFieldsFirst)
{
    CORVEvent e;
    Layout le;
    le.Int(e.opaqueInt1);
    ExpectLayout(e, le);

    CORVEventTrigger t;
    Layout lt;
    lt.Int(t.opaqueInt1);
    ExpectLayout(t, lt);

    CORVWatchTrigger wt;
    Layout lwt;
    lwt.Int(wt.opaqueInt1);
    lwt.Int(wt.opaqueInt2);
    lwt.Int(wt.opaqueInt3);
    ExpectLayout(wt, lwt);

    CORVWatchEvent we;
    Layout lwe;
    lwe.Int(we.opaqueInt1);
    lwe.Text(we.opaqueText);
    lwe.Int(we.opaqueInt2);
    auto inner = std::make_shared<CORVEvent>();
    we.objects = {inner};
    lwe.Count(1).NewClass("CORVEvent", 101);
    lwe.Int(inner->opaqueInt1);
    ExpectLayout(we, lwe);
}

TEST(ReportRecordLayout, RecordsAcceptAnyStoredSchema)
{
    // Tagged with schema numbers other than their own, as another writer may store them.
    Layout l;
    l.Count(2).NewClass("CORVEvent", 7).I32(5).NewClass("CReportPropItem", 1).Str("a").Str("b").I32(0);
    const auto loaded = LoadObjects(l.Bytes());
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(std::dynamic_pointer_cast<CORVEvent>(loaded[0])->opaqueInt1, 5);
    EXPECT_EQ(std::dynamic_pointer_cast<CReportPropItem>(loaded[1])->reportFile, "b");
}
