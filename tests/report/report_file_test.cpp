// Report files: the compressed form of one printout's archive bytes, and the messages
// of failures.
#include "report_fixtures.h"

#include "codec/codec_exception.h"
#include "codec/mem_file.h"
#include "codec/ox_compressed_file.h"
#include "report/report_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

class ReportFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("orv_report_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                    testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override
    {
        // A failing test keeps its folder for inspection.
        if (!HasFailure())
            std::filesystem::remove_all(m_folder);
    }
    std::string Path(const std::string& name) const { return (m_folder / name).string(); }

    std::filesystem::path m_folder;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Expand(const std::string& compressed)
{
    CMemFile source(compressed);
    COXCompressedFile reader;
    reader.Open(source, COXCompressedFile::modeRead);
    std::string plain;
    char buffer[4096];
    size_t count;
    while ((count = reader.Read(buffer, sizeof buffer)) > 0)
        plain.append(buffer, count);
    return plain;
}

// A report of a few kilobytes: several compressed blocks.
CReportPrintout SampleReport()
{
    CReportPrintout printout;
    printout.headerHeight = 30;
    auto header = std::make_shared<CRptMultiTextSection>();
    header->text = "Quarterly audit summary";
    printout.header = header;
    printout.sections = {LinesSection(40, "Notes"), GridSection(300)};
    return printout;
}

}  // namespace

TEST_F(ReportFileTest, SavedFileIsTheCompressedReportBlockAndOpensToTheSameBytes)
{
    CReportPrintout printout = SampleReport();
    const std::string block = StoreReportBlock(printout);
    ASSERT_GT(block.size(), 3000u);

    ASSERT_EQ(SaveReportFile(printout, Path("report.tdf")), "");
    const std::string file = ReadFile(Path("report.tdf"));
    // No header of the file's own: the first bytes are the first block's header word,
    // a compressed full block of 1024 plain bytes.
    ASSERT_GE(file.size(), 2u);
    EXPECT_TRUE(static_cast<unsigned char>(file[1]) & 0x80);
    EXPECT_LT(file.size(), block.size());
    EXPECT_EQ(Expand(file), block);
    EXPECT_FALSE(std::filesystem::exists(Path("report.tdf.saving")));

    const CReportLoadResult opened = OpenReportFile(Path("report.tdf"));
    ASSERT_TRUE(opened.Ok()) << opened.message;
    EXPECT_EQ(StoreReportBlock(*opened.printout), block);

    // And it lays out to the same pages.
    CFakeGraphics g;
    EXPECT_EQ(opened.printout->LayOutPage(g, 0), printout.LayOutPage(g, 0));
    EXPECT_EQ(opened.printout->PageOrientations(), printout.PageOrientations());
}

TEST_F(ReportFileTest, EmptyPrintoutFileOpensAsOneBlankPage)
{
    CReportPrintout empty;
    ASSERT_EQ(SaveReportFile(empty, Path("empty.tdf")), "");
    EXPECT_EQ(Expand(ReadFile(Path("empty.tdf"))), StoreReportBlock(empty));
    const CReportLoadResult opened = OpenReportFile(Path("empty.tdf"));
    ASSERT_TRUE(opened.Ok());
    CFakeGraphics g;
    EXPECT_EQ(opened.printout->LayOutPage(g, 0), 1);
}

TEST_F(ReportFileTest, FailuresGiveTheirMessages)
{
    EXPECT_EQ(OpenReportFile(Path("missing.tdf")).message, "Error opening file");
    EXPECT_EQ(OpenReportFile(Path("")).message, "Error opening file");  // the folder itself
    CReportPrintout printout = SampleReport();
    EXPECT_EQ(SaveReportFile(printout, Path("no/such/folder/x.tdf")), "Error creating file");

    // Not a compressed stream: a block header promising more than 1024 bytes.
    WriteFile(Path("junk.tdf"), std::string("\xFF\xFF junk", 7));
    CReportLoadResult result = OpenReportFile(Path("junk.tdf"));
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.message, "A block header gives a body longer than 1024 bytes");

    // A stream that ends early.
    ASSERT_EQ(SaveReportFile(printout, Path("whole.tdf")), "");
    const std::string whole = ReadFile(Path("whole.tdf"));
    WriteFile(Path("cut.tdf"), whole.substr(0, whole.size() / 2));
    result = OpenReportFile(Path("cut.tdf"));
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.message, "The data ended before an item was complete");

    // An empty file holds no printout either.
    WriteFile(Path("zero.tdf"), "");
    EXPECT_EQ(OpenReportFile(Path("zero.tdf")).message, "The data ended before an item was complete");
}

namespace {

// A section that cannot be stored, standing in for a write that fails half-way.
class CUnstorableSection : public CReportSection {
public:
    void Serialize(CArchive&) override { throw CCodecException(CCodecException::ioError, "Disk full"); }
};

}  // namespace

TEST_F(ReportFileTest, FailedSaveLeavesTheExistingFileAsItWas)
{
    CReportPrintout good = SampleReport();
    ASSERT_EQ(SaveReportFile(good, Path("keep.tdf")), "");
    const std::string before = ReadFile(Path("keep.tdf"));

    CReportPrintout bad = SampleReport();
    bad.sections.push_back(std::make_shared<CUnstorableSection>());
    EXPECT_EQ(SaveReportFile(bad, Path("keep.tdf")), "Disk full");
    EXPECT_EQ(ReadFile(Path("keep.tdf")), before);
    EXPECT_FALSE(std::filesystem::exists(Path("keep.tdf.saving")));
}

TEST_F(ReportFileTest, LongErrorTextsAreCutTo1023Characters)
{
    class CVerboseSection : public CReportSection {
    public:
        void Serialize(CArchive&) override { throw CCodecException(CCodecException::ioError, std::string(5000, 'e')); }
    };
    CReportPrintout bad;
    bad.sections.push_back(std::make_shared<CVerboseSection>());
    EXPECT_EQ(SaveReportFile(bad, Path("long.tdf")).size(), 1023u);
}

TEST_F(ReportFileTest, SaveReplacesOnlyItsTargetAndKeepsItsPermissions)
{
    namespace fs = std::filesystem;
    // Files whose names a fixed temporary name could take are never touched.
    WriteFile(Path("r.tdf.saving"), "mine");
    WriteFile(Path("real.tdf"), "old");
    fs::permissions(Path("real.tdf"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(Path("real.tdf"), Path("r.tdf"));

    CReportPrintout printout = SampleReport();
    ASSERT_EQ(SaveReportFile(printout, Path("r.tdf")), "");
    EXPECT_EQ(ReadFile(Path("r.tdf.saving")), "mine");
    EXPECT_TRUE(fs::is_symlink(Path("r.tdf")));
    EXPECT_TRUE(OpenReportFile(Path("real.tdf")).Ok());
    EXPECT_EQ(fs::status(Path("real.tdf")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 3);

    // A writable file in a folder that is not writable is saved in place. (Root writes
    // into any folder, so there the first save already covers it.)
    fs::permissions(m_folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(SaveReportFile(printout, Path("real.tdf")), "");
    fs::permissions(m_folder, fs::perms::owner_all);
    EXPECT_TRUE(OpenReportFile(Path("real.tdf")).Ok());
}
