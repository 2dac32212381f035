// Registration by class name, and loads of garbage: every record class either loads
// arbitrary bytes or fails with a format error, never crashing or over-allocating.
#include "record_layout.h"

#include "records/register_records.h"
#include "records/ui_dialog.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

struct Expected {
    const char* name;
    uint16_t schema;
    bool acceptsAny;
};

// Every class a peer may name in an archive, with the schema it is registered under.
const Expected kExpected[] = {
    {"CAuditCase", 100, true}, {"CPolicyPage", 100, true}, {"CAttachment", 100, true},
    {"CBillingEntry", 100, true}, {"CMultiBillingEntry", 100, true}, {"CProgressRptEntry", 100, true},
    {"CCaseScheduleInfo", 100, true}, {"CTrackingEntry", 100, true}, {"CFileInfo", 100, true},
    {"CCaseMultiProps", 100, true}, {"CInventoryInfo", 100, true}, {"CParentUser", 100, true},
    {"CChildUser", 100, true}, {"CRegionLocRec", 100, true}, {"CRegionTerrRec", 100, true},
    {"CBillingDef", 100, true}, {"CCaseFieldInfo", 100, true}, {"CCaseViewParam", 100, true},
    {"CCaseQueryData", 33764, false}, {"CCaseQueryColInfo", 21701, false},
    {"CCaseQueryRequestInfo", 100, true}, {"CCaseQueryResults", 100, true},
    {"CCaseQueryResultColInfo", 100, true}, {"CCaseQueryDataRow", 100, true},
    {"CAdminChildUser", 100, true}, {"CAssignCriterion", 100, true}, {"CAdminParentUser", 100, true},
    {"CAdminRegion", 100, true}, {"CAdminTerritory", 100, true}, {"CReportPropItem", 100, true},
    {"CReportViewParam", 100, true}, {"CUIDialog", 100, true}, {"CUIControl", 100, true},
    {"CUIEditControl", 100, true}, {"CUIDateEditControl", 100, true}, {"CUIStaticControl", 100, true},
    {"CUIButtonControl", 100, true}, {"CUIComboBoxControl", 100, true},
    {"CUICheckListBoxControl", 100, true}, {"CORVReportProps", 100, true}, {"CORVEvent", 101, true},
    {"CORVWatchEvent", 101, true}, {"CORVEventTrigger", 101, true}, {"CORVWatchTrigger", 101, true},
};

}  // namespace

TEST(RecordRegistration, EveryClassUnderItsExactNameAndSchema)
{
    CClassRegistry registry;
    RegisterRecordClasses(registry);
    EXPECT_EQ(registry.Size(), std::size(kExpected));
    for (const Expected& e : kExpected) {
        const CRuntimeClass* cls = registry.Find(e.name);
        ASSERT_NE(cls, nullptr) << e.name;
        EXPECT_EQ(cls->schema, e.schema) << e.name;
        EXPECT_EQ(cls->acceptsAnySchema, e.acceptsAny) << e.name;
        // Created by name, the object describes itself by the same class.
        EXPECT_EQ(cls->create()->GetRuntimeClass(), cls) << e.name;
    }
}

TEST(RecordRegistration, RegisteringAgainChangesNothing)
{
    CClassRegistry registry;
    RegisterCodecClasses(registry);
    RegisterRecordClasses(registry);
    const size_t size = registry.Size();
    const CRuntimeClass* before = registry.Find("CAuditCase");
    RegisterRecordClasses(registry);
    EXPECT_EQ(registry.Size(), size);
    EXPECT_EQ(registry.Find("CAuditCase"), before);
    EXPECT_EQ(RecordClasses().size(), std::size(kExpected));
}

TEST(RecordGarbage, RandomBytesLoadOrFailCleanlyForEveryClass)
{
    std::mt19937 random(20240601);
    for (const CRuntimeClass* cls : RecordClasses()) {
        for (int round = 0; round < 200; ++round) {
            std::string bytes(random() % 64, '\0');
            for (char& c : bytes)
                c = static_cast<char>(random() % 4 == 0 ? 0xFF : random() % 8);
            // At top level, and as a tagged object of this class.
            try {
                CMemFile file(bytes);
                CArchive ar(file, CArchive::load, CArchive::kDefaultBufferSize, &TestRegistry());
                cls->create()->Serialize(ar);
            } catch (const CCodecException&) {
            }
            Layout tagged;
            tagged.NewClass(cls->name, cls->schema).Raw(bytes);
            try {
                CMemFile file(tagged.Bytes());
                CArchive ar(file, CArchive::load, CArchive::kDefaultBufferSize, &TestRegistry());
                ar.ReadObject();
            } catch (const CCodecException&) {
            }
        }
    }
}

TEST(RecordGarbage, EveryByteOfARealRecordCorruptedLoadsOrFailsCleanly)
{
    // A dialog exercises tags, counts, strings and dates; each byte is set to values
    // that turn lengths and tags into their long or hostile forms.
    Layout l;
    l.Count(2).NewClass("CUICheckListBoxControl", 100);
    l.I32(1).Str("ab").I32(2).I32(3).I32(4).I32(5).I32(6).Count(1).Str("x").Count(1).I32(1).Count(0);
    l.NewClass("CUIDateEditControl", 100).I32(1).Str("").I32(0).I32(0).I32(0).I32(0).I32(7);
    l.DateTime({CDateTime::valid, 1.5}).I32(100).I32(50).Str("Settings");
    const std::string good = l.Bytes();
    for (size_t i = 0; i < good.size(); ++i) {
        for (unsigned char value : {0x00, 0x7F, 0x80, 0xFE, 0xFF}) {
            std::string bad = good;
            bad[i] = static_cast<char>(value);
            try {
                CUIDialog dialog;
                CMemFile file(bad);
                CArchive ar(file, CArchive::load, CArchive::kDefaultBufferSize, &TestRegistry());
                dialog.Serialize(ar);
                for (const auto& control : dialog.controls)
                    EXPECT_NE(control, nullptr);
            } catch (const CCodecException&) {
            }
        }
    }
}
