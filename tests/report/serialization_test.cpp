// Byte layouts of the printout model, pinned field by field with a distinct value in
// every field, so that a swapped or missing field shows. Report files written by other
// programs and the server's report blocks hold exactly these bytes.
#include "report_fixtures.h"

#include "codec/archive.h"
#include "codec/class_registry.h"
#include "codec/mem_file.h"
#include "report/report_classes.h"
#include "report/report_file.h"
#include "report/rpt_double_grid_section.h"
#include "report/rpt_metafile_section.h"
#include "report/rpt_multi3_grid_section.h"

#include <gtest/gtest.h>

namespace {

// A grid with a distinct value in every field.
std::shared_ptr<CStaticGrid> DistinctGrid()
{
    auto grid = std::make_shared<CStaticGrid>();
    grid->columns = {{"A", 11, 12, 13, 14}, {"Bb", 21, 22, 23, 24}};
    grid->rows.resize(2);
    grid->rows[0].cells = {{"x", 31, 32, 33}};
    grid->rows[1].cells = {{"yy", 41, 42, 43}, {"", 51, 52, 53}};
    grid->shadeTitle = 61;
    grid->titleHeight = 62;
    grid->headerHeight = 63;
    grid->rowHeight = 64;
    grid->titleFontSize = 65;
    grid->headerFontSize = 66;
    grid->cellFontSize = 67;
    grid->titleBold = 68;
    grid->headerBold = 69;
    grid->wrapCells = 70;
    grid->title = "Title";
    grid->SetComment("Note");
    return grid;
}

void DistinctGridBytes(CBytes& b)
{
    b.Count(2).Str("A").I32(11).I32(12).I32(13).I32(14).Str("Bb").I32(21).I32(22).I32(23).I32(24);
    b.Count(2).Count(1).Str("x").I32(31).I32(32).I32(33);
    b.Count(2).Str("yy").I32(41).I32(42).I32(43).Str("").I32(51).I32(52).I32(53);
    for (int v = 61; v <= 70; ++v)
        b.I32(v);
    b.Str("Title").Str("Note");
}

// A grid as constructed: no columns or rows, the construction defaults, no texts.
void DefaultGridBytes(CBytes& b)
{
    b.Count(0).Count(0).I32(0).I32(35).I32(23).I32(17).I32(20).I32(12).I32(12).I32(1).I32(1).I32(0).Str("").Str("");
}

template <class T>
void SetBase(T& section, int32_t first)
{
    section.orientation = first;
    section.fullPage = first + 1;
    section.newPage = first + 2;
    section.skip = first + 3;
}

void BaseBytes(CBytes& b, int32_t first)
{
    b.I32(first).I32(first + 1).I32(first + 2).I32(first + 3);
}

// One section of every kind, a shared grid, a header and no footer.
CReportPrintout EveryKindPrintout()
{
    CReportPrintout printout;
    const auto shared = DistinctGrid();

    auto text = std::make_shared<CRptMultiTextSection>();
    SetBase(*text, 2);
    text->title = "Hd";
    text->text = "Body";
    text->fontSize = 9;

    auto grid = std::make_shared<CRptGridSection>();
    SetBase(*grid, 6);
    grid->grid = shared;

    auto multi3 = std::make_shared<CRptMulti3GridSection>();
    SetBase(*multi3, 10);
    multi3->grids = {*DistinctGrid(), CStaticGrid(), CStaticGrid()};

    auto twin = std::make_shared<CRptDoubleGridSection>();
    SetBase(*twin, 14);
    twin->left = std::make_shared<CStaticGrid>();
    twin->right = shared;
    twin->leftAreaRight = 18;
    twin->rightGridX = 19;

    auto picture = std::make_shared<CRptMetafileSection>();
    SetBase(*picture, 20);
    picture->picture.kind = 24;
    picture->picture.SetBytes("EMF!");

    auto plain = std::make_shared<CReportSection>();
    SetBase(*plain, 25);

    printout.sections = {text, grid, multi3, twin, picture, plain};
    printout.defaultOrientation = 2;
    printout.sectionGap = 29;
    printout.headerHeight = 30;
    printout.footerHeight = 31;
    auto header = std::make_shared<CRptMultiTextSection>();
    SetBase(*header, 32);
    header->text = "H";
    header->fontSize = 36;
    printout.header = header;
    printout.shadeRemainder = 37;
    return printout;
}

std::string EveryKindBytes()
{
    CBytes b;
    b.Count(6);
    // Indices: a new class and its first object take two in a row, the class first.
    b.NewClass("CRptMultiTextSection");  // class 1, object 2
    BaseBytes(b, 2);
    b.Str("Hd").Str("Body").I32(9);
    b.NewClass("CRptGridSection");  // class 3, object 4
    BaseBytes(b, 6);
    b.NewClass("CStaticGrid");  // class 5, object 6: the shared grid
    DistinctGridBytes(b);
    b.NewClass("CRptMulti3GridSection");  // class 7, object 8
    BaseBytes(b, 10);
    b.Count(3);  // the grids in place, without tags
    DistinctGridBytes(b);
    DefaultGridBytes(b);
    DefaultGridBytes(b);
    b.NewClass("CRptDoubleGridSection");  // class 9, object 10
    BaseBytes(b, 14);
    b.KnownClass(5);  // left: a new grid, object 11
    DefaultGridBytes(b);
    b.ObjectRef(6);  // right: the grid already written
    b.I32(18).I32(19);
    b.NewClass("CRptMetafileSection");  // class 12, object 13
    BaseBytes(b, 20);
    b.I32(24).I32(4).Raw("EMF!");
    b.NewClass("CReportSection");  // class 14, object 15
    BaseBytes(b, 25);
    b.I32(2).I32(29).I32(30).I32(31);
    b.KnownClass(1);  // header: a second text section, object 16
    BaseBytes(b, 32);
    b.Str("").Str("H").I32(36);
    b.Null();  // footer
    b.I32(37);
    return b.Str();
}

std::string Store(CObject& record)
{
    CMemFile file;
    {
        CArchive ar(file, CArchive::store);
        record.Serialize(ar);
        ar.Flush();
    }
    return file.ToString();
}

CClassRegistry& Registry()
{
    RegisterReportClasses(CClassRegistry::Global());
    return CClassRegistry::Global();
}

}  // namespace

TEST(ReportSerialization, EveryClassWritesItsFieldsInOrder)
{
    CReportPrintout printout = EveryKindPrintout();
    EXPECT_EQ(Store(printout), EveryKindBytes());
}

TEST(ReportSerialization, LoadingPinnedBytesRestoresEveryFieldAndStoresThemAgainUnchanged)
{
    const CReportLoadResult loaded = LoadReportBlock(EveryKindBytes(), &Registry());
    ASSERT_TRUE(loaded.Ok()) << loaded.message;
    CReportPrintout& printout = *loaded.printout;
    ASSERT_EQ(printout.sections.size(), 6u);
    EXPECT_EQ(printout.sectionGap, 29);
    EXPECT_EQ(printout.footerHeight, 31);
    EXPECT_EQ(printout.footer, nullptr);
    EXPECT_EQ(printout.shadeRemainder, 37);

    auto* text = dynamic_cast<CRptMultiTextSection*>(printout.sections[0].get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->orientation, 2);
    EXPECT_EQ(text->skip, 5);
    EXPECT_EQ(text->text, "Body");
    EXPECT_EQ(text->fontSize, 9);

    auto* grid = dynamic_cast<CRptGridSection*>(printout.sections[1].get());
    auto* twin = dynamic_cast<CRptDoubleGridSection*>(printout.sections[3].get());
    ASSERT_TRUE(grid && twin);
    // The back-reference restores one grid shared by both sections.
    EXPECT_EQ(grid->grid, twin->right);
    EXPECT_EQ(grid->grid->columns[1].label, "Bb");
    EXPECT_EQ(grid->grid->columns[1].style, 24);
    EXPECT_EQ(grid->grid->rows[1].cells[1].overflow, 53);
    EXPECT_EQ(grid->grid->GetComment(), "Note");
    EXPECT_EQ(twin->rightGridX, 19);
    // The line-style mask is not stored: every grid loaded draws with all four styles.
    EXPECT_EQ(grid->grid->GetLineStyle(), CStaticGrid::kAllLines);

    auto* picture = dynamic_cast<CRptMetafileSection*>(printout.sections[4].get());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->picture.kind, 24);
    EXPECT_EQ(picture->picture.GetBytes(), "EMF!");
    EXPECT_EQ(picture->fullPage, 21);

    EXPECT_EQ(StoreReportBlock(printout), EveryKindBytes());
}

TEST(ReportSerialization, ConstructionDefaults)
{
    // A printout with no sections: an empty list and the seven remaining fields.
    CReportPrintout printout;
    EXPECT_EQ(Store(printout), CBytes().Count(0).I32(1).I32(2).I32(0).I32(0).Null().Null().I32(0).Str());

    CStaticGrid grid;
    CBytes gridBytes;
    DefaultGridBytes(gridBytes);
    EXPECT_EQ(Store(grid), gridBytes.Str());
    EXPECT_EQ(grid.GetLineStyle(), 15u);

    CRptMultiTextSection text;
    EXPECT_EQ(Store(text), CBytes().I32(0).I32(0).I32(0).I32(0).Str("").Str("").I32(12).Str());
    // A picture owns its page unless told otherwise; no bytes means a count of 0 only.
    CRptMetafileSection picture;
    EXPECT_EQ(Store(picture), CBytes().I32(0).I32(1).I32(0).I32(0).I32(0).I32(0).Str());
    CRptDoubleGridSection twin;
    EXPECT_EQ(Store(twin), CBytes().I32(0).I32(0).I32(0).I32(0).Null().Null().I32(0).I32(0).Str());
}

TEST(ReportSerialization, OnlyReportClassesAreAcceptedInTheirPlaces)
{
    // A grid where a section belongs.
    CBytes gridAsSection;
    gridAsSection.Count(1).NewClass("CStaticGrid");
    DefaultGridBytes(gridAsSection);
    gridAsSection.I32(1).I32(2).I32(0).I32(0).Null().Null().I32(0);
    CReportLoadResult result = LoadReportBlock(gridAsSection.Str(), &Registry());
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.message, "Object of an unexpected class");

    // A section where a grid belongs.
    CBytes sectionAsGrid;
    sectionAsGrid.Count(1).NewClass("CRptGridSection").I32(0).I32(0).I32(0).I32(0);
    sectionAsGrid.NewClass("CReportSection").I32(0).I32(0).I32(0).I32(0);
    sectionAsGrid.I32(1).I32(2).I32(0).I32(0).Null().Null().I32(0);
    result = LoadReportBlock(sectionAsGrid.Str(), &Registry());
    EXPECT_EQ(result.message, "Object of an unexpected class");

    // A class nobody registered.
    CBytes unknown;
    unknown.Count(1).NewClass("CRptChartSection");
    result = LoadReportBlock(unknown.Str(), &Registry());
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.message, "A class that is not registered");
}

TEST(ReportSerialization, EveryTruncationFailsWithoutAPrintout)
{
    const std::string bytes = EveryKindBytes();
    for (size_t length = 0; length < bytes.size(); ++length) {
        const CReportLoadResult result = LoadReportBlock(bytes.substr(0, length), &Registry());
        ASSERT_FALSE(result.Ok()) << length;
        ASSERT_FALSE(result.message.empty()) << length;
    }
}

TEST(ReportSerialization, HugeCountsAreRefusedBeforeAnythingIsAllocated)
{
    // A section count of 4 billion with nothing after it, and a picture that claims
    // 2 GB of bytes.
    CBytes manySections;
    manySections.U16(0xFFFF).I32(-1);
    EXPECT_EQ(LoadReportBlock(manySections.Str(), &Registry()).message,
              "A length or count exceeds the remaining data");

    CBytes bigPicture;
    bigPicture.Count(1).NewClass("CRptMetafileSection").I32(0).I32(1).I32(0).I32(0).I32(0).I32(0x7FFFFFFF);
    EXPECT_EQ(LoadReportBlock(bigPicture.Str(), &Registry()).message,
              "A length or count exceeds the remaining data");
}

TEST(StaticGrid, CellsGrowTheGridAndCommentsGiveATableBody)
{
    CStaticGrid grid;
    grid.SetComment("remark");
    // A comment on a grid without rows brings one empty row for the box to sit on...
    EXPECT_EQ(grid.rows.size(), 1u);
    grid.SetComment("again");
    EXPECT_EQ(grid.rows.size(), 1u);

    // ... and addressing a cell beyond the end grows rows, cells and columns.
    grid.Cell(3, 2).text = "far";
    EXPECT_EQ(grid.rows.size(), 4u);
    EXPECT_EQ(grid.rows[3].cells.size(), 3u);
    EXPECT_EQ(grid.columns.size(), 3u);

    // Bulk rows take the column's alignment.
    grid.Column(1).alignment = TextFormat::kRight;
    grid.AddRow({"a", "b"});
    EXPECT_EQ(grid.rows.back().cells[0].alignment, 0);
    EXPECT_EQ(grid.rows.back().cells[1].alignment, static_cast<int32_t>(TextFormat::kRight));

    grid.Column(2).rightEdge = 420;
    EXPECT_EQ(grid.GetWidth(), 421);
}
