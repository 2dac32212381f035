// The rules by which attachment files are named on the local disk.
#include "casedlg/attachment_names.h"
#include "platform/unique_file.h"
#include "query/civil_date.h"
#include "records/attachment.h"
#include "records/audit_case.h"
#include "support/temp_dir.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(AttachmentNames, ServerNamesKeepOnlyTheirLastComponent)
{
    const struct {
        const char* sent;
        const char* kept;
    } cases[] = {
        {"report.doc", "report.doc"},
        {"C:\\x\\y.doc", "y.doc"},
        {"../../.bashrc", "bashrc"},          // no hidden files, no way up
        {"/etc/passwd", "passwd"},
        {"..", "attachment"},                 // nothing left
        {"dir/", "attachment"},
        {"a\nb\x01.txt", "ab.txt"},            // control characters dropped
        {"  .. spaced .txt  ", "spaced .txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UniqueFile::LastPathComponent(c.sent), c.kept) << c.sent;
    EXPECT_EQ(UniqueFile::LastPathComponent(std::string(300, 'x')).size(), 200u);
}

TEST(AttachmentNames, CopyNumberGoesBeforeTheFirstDot)
{
    EXPECT_EQ(UniqueFile::WithCopyNumber("ledger.tar.gz", 0), "ledger.tar.gz");
    EXPECT_EQ(UniqueFile::WithCopyNumber("ledger.tar.gz", 2), "ledger(2).tar.gz");
    EXPECT_EQ(UniqueFile::WithCopyNumber("README", 1), "README(1)");
}

TEST(AttachmentNames, SavedAndExportedNames)
{
    CAttachment audit;
    audit.kind = "AUDIT";
    CAttachment survey;
    survey.kind = "SURVEY";
    CAttachment file;
    file.kind = "FILE";
    file.fileName = "ledger.xlsx";
    EXPECT_EQ(AttachmentNames::SavedName("A:100:2", audit), "A_100:2.aud");  // the first ':' only
    EXPECT_EQ(AttachmentNames::SavedName("A:100", survey), "A_100.sur");
    EXPECT_EQ(AttachmentNames::SavedName("A:100", file), "ledger.xlsx");

    CAuditCase c;
    c.policyEndDate = MakeDate({2024, 3, 7});
    c.insuredName = "Northwind Tools & Die Works";  // 27 characters: cut to 20
    c.policyNumber = "WC/12.3";                      // padded to 20
    EXPECT_EQ(AttachmentNames::ExportName(c, ".pdf"), "Northwind Tools & Di WC_12_3              03-07-2024.pdf");
    c.insuredName = "a.\"/\\[]:;|=,*?b";
    c.policyNumber = "";
    c.policyEndDate = CDateTime{};  // null: no date
    EXPECT_EQ(AttachmentNames::ExportName(c, ".xps"), "a_____________b      " + std::string(20, ' ') + " .xps");
}

TEST(AttachmentNames, CreatedFilesAreNewPrivateAndNeverReplaceOthers)
{
    CTempDir dir;
    const QString folder = QString::fromStdString(dir.Path());
    const auto first = UniqueFile::Create(folder, "ledger.tar.gz", "one");
    const auto second = UniqueFile::Create(folder, "C:\\x\\ledger.tar.gz", "two");
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(first->endsWith("/ledger.tar.gz"));
    EXPECT_TRUE(second->endsWith("/ledger(1).tar.gz"));
    EXPECT_EQ(UniqueFile::ReadAll(*first).value_or(""), "one");
    // A planted link is passed over, not written through.
    ASSERT_EQ(::symlink(dir.File("target").c_str(), dir.File("x.txt").c_str()), 0);
    const auto third = UniqueFile::Create(folder, "x.txt", "three");
    ASSERT_TRUE(third);
    EXPECT_TRUE(third->endsWith("/x(1).txt"));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.File("target"))));
    struct stat info {};
    ASSERT_EQ(::stat(third->toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    const QString temp = PrivateTempFolder();
    ASSERT_FALSE(temp.isEmpty());
    ASSERT_EQ(::lstat(temp.toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}
