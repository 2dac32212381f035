// wiretool dump-report: the outline of a report file, and one line for a bad one.
#include "report_commands.h"

#include "report/report_file.h"
#include "report/report_printout.h"
#include "report/rpt_grid_section.h"
#include "report/rpt_metafile_section.h"
#include "report/rpt_multi_text_section.h"
#include "report/static_grid.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string TempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("dump_report_" + std::to_string(::getpid()) + "_" + name))
        .string();
}

// A grid of five rows over a landscape picture and a text with a line break.
std::string WriteSampleReport()
{
    CReportPrintout printout;
    auto grid = std::make_shared<CRptGridSection>();
    grid->grid = std::make_shared<CStaticGrid>();
    grid->grid->title = "Cases";
    grid->grid->Column(0) = {"Case", 100, 0, 100, 0};
    grid->grid->Column(1) = {"Insured", 200, 0, 300, 0};
    for (int i = 0; i < 4; ++i)
        grid->grid->AddRow({"C" + std::to_string(i), "Insured " + std::to_string(i)});
    // A crafted cell: terminal escape sequences must not reach the dump.
    grid->grid->AddRow({"C4", "\x1B]0;owned\x07\x1B[2J"});
    auto text = std::make_shared<CRptMultiTextSection>();
    text->title = "Notes";
    text->text = "first\r\nsecond";
    auto picture = std::make_shared<CRptMetafileSection>();
    picture->orientation = CReportPrintout::kLandscape;
    picture->picture.SetBytes(std::string(40, 'p'));
    printout.sections = {grid, text, picture};
    const std::string path = TempPath("sample.tdf");
    EXPECT_EQ(SaveReportFile(printout, path), "");
    return path;
}

}  // namespace

TEST(DumpReport, OutlinesSectionsGridsRowsAndPages)
{
    const std::string path = WriteSampleReport();
    const CToolResult result = RunDumpReport({path, "--rows", "2"});
    const std::string allRows = RunDumpReport({path, "--rows", "-1"}).output;
    std::filesystem::remove(path);
    EXPECT_NE(allRows.find("row 5: C4 | \\x1B]0;owned\\x07\\x1B[2J\n"), std::string::npos) << allRows;
    EXPECT_EQ(allRows.find('\x1B'), std::string::npos);
    ASSERT_EQ(result.exitCode, 0) << result.error;
    const std::string& out = result.output;
    EXPECT_NE(out.find("printout: 3 sections, portrait, section gap 2"), std::string::npos) << out;
    EXPECT_NE(out.find("section 1: grid section\n"), std::string::npos) << out;
    EXPECT_NE(out.find("grid \"Cases\": 2 columns, 5 rows"), std::string::npos) << out;
    EXPECT_NE(out.find("columns: \"Case\" to 100, \"Insured\" to 300"), std::string::npos) << out;
    EXPECT_NE(out.find("row 2: C1 | Insured 1\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("row 3:"), std::string::npos) << out;
    EXPECT_NE(out.find("... 3 more rows"), std::string::npos) << out;
    EXPECT_NE(out.find("section 2: text, font 12, title \"Notes\": \"first\\r\\nsecond\""), std::string::npos) << out;
    EXPECT_NE(out.find("section 3: picture, landscape, full page, 40 bytes"), std::string::npos) << out;
    EXPECT_NE(out.find("pages: 2 (1 portrait, 2 landscape)"), std::string::npos) << out;
}

TEST(DumpReport, BadFilesAndUsage)
{
    const std::string junk = TempPath("junk.tdf");
    std::ofstream(junk, std::ios::binary) << std::string("\x05\x00" "abc", 5);  // a block cut short
    const CToolResult bad = RunDumpReport({junk});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.error, junk + ": The data ended before an item was complete");

    // The program prints that one line and exits with 1.
    const std::string err = TempPath("err.txt");
    const int status =
        std::system((std::string(WIRETOOL_PATH) + " dump-report " + junk + " > /dev/null 2> " + err).c_str());
    std::ifstream stream(err);
    const std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    std::filesystem::remove(junk);
    std::filesystem::remove(err);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(text, "wiretool dump-report: " + junk + ": The data ended before an item was complete\n");

    EXPECT_EQ(RunDumpReport({TempPath("missing.tdf")}).error, TempPath("missing.tdf") + ": Error opening file");
    EXPECT_EQ(RunDumpReport({}).exitCode, 2);
    EXPECT_EQ(RunDumpReport({"x.tdf", "--rows"}).exitCode, 2);
    EXPECT_EQ(RunDumpReport({"x.tdf", "--rows", "many"}).exitCode, 2);
}
