// The task log: its bound of lines, loading files it did not write, and its file name.
#include "app/task_log.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(TaskLog, HoldsAtMost20000LinesDroppingTheOldestFirst)
{
    CTempDir dir;
    CTaskLog log(dir.File("OrvennaOC.LOG"));
    for (int i = 0; i < 20000; ++i)
        log.Append("line " + std::to_string(i) + "\n");
    ASSERT_EQ(log.Lines().size(), 20000u);
    log.Append("newest\n");
    log.Append("newer still\n");
    ASSERT_EQ(log.Lines().size(), 20000u);
    EXPECT_EQ(log.Lines().front(), "line 2\n");
    EXPECT_EQ(log.Lines().back(), "newer still\n");

    ASSERT_TRUE(log.Save());
    CTaskLog reread(log.Path());
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.Lines(), log.Lines());
    reread.Append("one more\n");
    EXPECT_EQ(reread.Lines().front(), "line 3\n");
}

TEST(TaskLog, LongLinesAndBytesThatAreNotTextAreReadInPiecesAndKept)
{
    CTempDir dir;
    const std::string path = dir.File("OrvennaOC.LOG");
    std::string content = std::string(2500, 'x') + "\n";
    content += std::string("bin\0\xff\x01\r\n", 8);
    content += "no line feed at the end";
    std::ofstream(path, std::ios::binary) << content;

    CTaskLog log(path);
    ASSERT_TRUE(log.Load());
    // 2500 + LF: pieces of 1023, 1023 and 455 bytes.
    ASSERT_EQ(log.Lines().size(), 5u);
    EXPECT_EQ(log.Lines()[0].size(), 1023u);
    EXPECT_EQ(log.Lines()[2], std::string(454, 'x') + "\n");
    log.Append("\n");
    ASSERT_TRUE(log.Save());
    EXPECT_EQ(ReadAll(path), content + "\n");

    CTaskLog missing(dir.File("none.LOG"));
    EXPECT_TRUE(missing.Load());
    EXPECT_TRUE(missing.Lines().empty());
    CTaskLog unwritable(dir.File("no/such/folder.LOG"));
    EXPECT_FALSE(unwritable.Save());
}

TEST(TaskLog, IsNamedAfterTheProgramFile)
{
    EXPECT_EQ(TaskLogFileNameFor(QStringLiteral("/opt/orvenna/OrvennaOC")), QStringLiteral("OrvennaOC.LOG"));
    EXPECT_EQ(TaskLogFileNameFor(QStringLiteral("C:/Orvenna/OrvennaOC.EXE")), QStringLiteral("OrvennaOC.LOG"));
    EXPECT_EQ(TaskLogFileNameFor(QStringLiteral("night-print")), QStringLiteral("night-print.LOG"));
}
