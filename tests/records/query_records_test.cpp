// Byte layouts of the field, view and query records, including the columns that travel
// as tagged objects with their own strict schema numbers.
#include "record_layout.h"

#include "codec/string_object.h"
#include "records/case_field_info.h"
#include "records/case_query_col_info.h"
#include "records/case_query_data.h"
#include "records/case_query_data_row.h"
#include "records/case_query_request_info.h"
#include "records/case_query_result_col_info.h"
#include "records/case_query_results.h"
#include "records/case_view_param.h"
#include "records/report_view_param.h"

#include <gtest/gtest.h>

namespace {

void FillColumn(Layout& l, CCaseQueryColInfo& col)
{
    l.Text(col.fieldToken);
    l.Text(col.header);
    l.Int(col.width);
    l.Int(col.alignment);
}

// The definition's fields before its column list.
void FillQueryDataHead(Layout& l, CCaseQueryData& q)
{
    l.Int(q.viewType);
    l.Int(q.scope);
    l.Text(q.name);
    l.Int(q.queryType);
    l.Text(q.formula);
    l.Text(q.opaqueText1);
    l.Text(q.sort1Field);
    l.Bool(q.sort1Ascending);
    l.Text(q.sort2Field);
    l.Bool(q.sort2Ascending);
    l.Text(q.sort3Field);
    l.Bool(q.sort3Ascending);
    l.Text(q.keyDateField);
    l.Int(q.period);
    l.Date(q.periodFrom);
    l.Date(q.periodTo);
    l.Text(q.parentTargetField);
    l.Text(q.childTargetField);
    l.Text(q.regionTargetField);
    l.Text(q.territoryTargetField);
}

std::shared_ptr<CCaseQueryColInfo> AddColumn(CCaseQueryData& q)
{
    q.columns.push_back(std::make_shared<CCaseQueryColInfo>());
    return q.columns.back();
}

void FillResultColumn(Layout& l, CCaseQueryResultColInfo& col)
{
    l.Text(col.header);
    l.Int(col.width);
    l.Int(col.alignment);
    l.Int(col.columnKind);
}

}  // namespace

TEST(QueryRecordLayout, SmallListEntries)
{
    CCaseFieldInfo f;
    Layout lf;
    lf.Text(f.label);
    lf.Text(f.token);
    lf.Int(f.type);
    lf.Int(f.searchable);
    ExpectLayout(f, lf);

    CCaseViewParam v;
    Layout lv;
    lv.Int(v.viewId);
    lv.Text(v.name);
    lv.Int(v.scope);
    lv.Int(v.viewType);
    ExpectLayout(v, lv);

    CCaseQueryRequestInfo r;
    Layout lr;
    lr.Int(r.viewId);
    lr.Text(r.target);
    lr.Text(r.searchFormula);
    ExpectLayout(r, lr);

    CReportViewParam p;
    Layout lp;
    lp.Int(p.viewId);
    lp.Text(p.name);
    ExpectLayout(p, lp);
}

TEST(QueryRecordLayout, ViewDefinitionTagsItsColumnsWithSchema21701)
{
    CCaseQueryData q;
    Layout l;
    FillQueryDataHead(l, q);
    l.Count(3);
    // The column class takes index 1 and the first column 2; the next columns name the
    // class by its index.
    l.NewClass("CCaseQueryColInfo", 0x54C5);
    FillColumn(l, *AddColumn(q));
    l.ClassTag(1);
    FillColumn(l, *AddColumn(q));
    l.ClassTag(1);
    FillColumn(l, *AddColumn(q));
    ExpectLayout(q, l);

    CCaseQueryData loaded;
    LoadInto(loaded, l.Bytes());
    ASSERT_EQ(loaded.columns.size(), 3u);
    EXPECT_EQ(loaded.columns[2]->header, q.columns[2]->header);
}

TEST(QueryRecordLayout, ViewDefinitionDefaults)
{
    const CCaseQueryData q;
    Layout l;
    l.I32(0).I32(0).Str("").I32(0).Str("[ChildGroupCode] < 8").Str("");
    l.Str("").Bool32(true).Str("").Bool32(true).Str("").Bool32(true).Str("").I32(0);
    l.DateTime({CDateTime::valid, 0.0}).DateTime({CDateTime::valid, 0.0});
    l.Str("").Str("").Str("").Str("").Count(0);
    CCaseQueryData copy = q;
    EXPECT_EQ(Hex(Store(copy)), Hex(l.Bytes()));
}

TEST(QueryRecordLayout, ListsOfDefinitionsNumberTheirClassesAcrossViews)
{
    // A list of two definitions, as GETCASEVIEWPROPSET carries it: the definition class
    // (index 1) and first view (2), then its column's class (3) and column (4); the second
    // view names both classes by index.
    auto first = std::make_shared<CCaseQueryData>();
    auto second = std::make_shared<CCaseQueryData>();
    Layout l;
    l.Count(2);
    l.NewClass("CCaseQueryData", 0x83E4);
    FillQueryDataHead(l, *first);
    l.Count(1).NewClass("CCaseQueryColInfo", 21701);
    FillColumn(l, *AddColumn(*first));
    l.ClassTag(1);
    FillQueryDataHead(l, *second);
    l.Count(1).ClassTag(3);
    FillColumn(l, *AddColumn(*second));

    EXPECT_EQ(Hex(StoreObjects({first, second})), Hex(l.Bytes()));
    const auto loaded = LoadObjects(l.Bytes());
    ASSERT_EQ(loaded.size(), 2u);
    auto view = std::dynamic_pointer_cast<CCaseQueryData>(loaded[1]);
    ASSERT_TRUE(view);
    ASSERT_EQ(view->columns.size(), 1u);
    EXPECT_EQ(view->columns[0]->fieldToken, second->columns[0]->fieldToken);
}

TEST(QueryRecordLayout, StrictSchemasAndWrongColumnClassesAreRefused)
{
    auto viewWithColumn = [](const std::string& className, uint16_t schema) {
        CCaseQueryData q;
        Layout l;
        FillQueryDataHead(l, q);
        l.Count(1).NewClass(className, schema);
        CCaseQueryColInfo col;
        FillColumn(l, col);
        return l.Bytes();
    };
    EXPECT_EQ(LoadFailure<CCaseQueryData>(viewWithColumn("CCaseQueryColInfo", 100)), CCodecException::badSchema);
    // A registered class of the same shape is still not a column.
    EXPECT_EQ(LoadFailure<CCaseQueryData>(viewWithColumn("CCaseQueryResultColInfo", 100)), CCodecException::badClass);
    EXPECT_EQ(LoadFailure<CCaseQueryData>(viewWithColumn("CCaseQueryColinfo", 21701)), CCodecException::badClass);

    // A definition in a list must carry its own schema number too.
    Layout list;
    list.Count(1).NewClass("CCaseQueryData", 100);
    CCaseQueryData q;
    FillQueryDataHead(list, q);
    list.Count(0);
    try {
        LoadObjects(list.Bytes());
        ADD_FAILURE() << "loaded";
    } catch (const CCodecException& e) {
        EXPECT_EQ(e.GetCause(), CCodecException::badSchema);
    }
}

TEST(QueryRecordLayout, EmptyColumnEntriesAreNeitherSentNorAccepted)
{
    CCaseQueryData q;
    Layout l;
    FillQueryDataHead(l, q);
    l.Count(2).NewClass("CCaseQueryColInfo", 21701);
    FillColumn(l, *AddColumn(q));
    l.ObjectRef(0);  // a null entry
    EXPECT_EQ(LoadFailure<CCaseQueryData>(l.Bytes()), CCodecException::badFormat);

    q.columns.push_back(nullptr);
    EXPECT_THROW(Store(q), CCodecException);
}

TEST(QueryRecordLayout, CopiedDefinitionsOwnTheirColumns)
{
    CCaseQueryData original;
    AddColumn(original)->header = "Insured";
    CCaseQueryData copy = original;
    copy.columns[0]->header = "Changed";
    EXPECT_EQ(original.columns[0]->header, "Insured");

    CCaseQueryData assigned;
    assigned = original;
    EXPECT_NE(assigned.columns[0], original.columns[0]);
    EXPECT_EQ(assigned.columns[0]->header, "Insured");

    CCaseQueryData moved = std::move(copy);
    EXPECT_EQ(moved.columns[0]->header, "Changed");
}

TEST(QueryRecordLayout, ResultsTableWithTaggedColumnsAndRows)
{
    CCaseQueryResults r;
    Layout l;
    // Two columns: class index 1, objects 2 and 3.
    l.Count(2).NewClass("CCaseQueryResultColInfo", 100);
    for (int i = 0; i < 2; ++i) {
        r.resultColumns.push_back(std::make_shared<CCaseQueryResultColInfo>());
        if (i > 0)
            l.ClassTag(1);
        FillResultColumn(l, *r.resultColumns.back());
    }
    // Three rows: class index 4, objects 5 to 7.
    l.Count(3).NewClass("CCaseQueryDataRow", 100);
    for (int i = 0; i < 3; ++i) {
        r.rows.push_back(std::make_shared<CCaseQueryDataRow>());
        if (i > 0)
            l.ClassTag(4);
        l.Texts(r.rows.back()->cells, 2);
    }
    ExpectLayout(r, l);

    // A row shorter than the table reads as empty cells, not past its end.
    EXPECT_EQ(r.rows[0]->Cell(1), r.rows[0]->cells[1]);
    EXPECT_EQ(r.rows[0]->Cell(2), "");

    // A row in the column list is refused.
    Layout swapped;
    swapped.Count(1).NewClass("CCaseQueryDataRow", 100).Count(0).Count(0);
    EXPECT_EQ(LoadFailure<CCaseQueryResults>(swapped.Bytes()), CCodecException::badClass);
}
