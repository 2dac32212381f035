// The command line's print forms: a report file printed into a PDF file with a page per
// report page in its orientation, the failures in their words and exit statuses, and
// the program itself run that way without a display.
#include "app/report_samples.h"
#include "app/shell_print.h"
#include "report_print/pdf_pages.h"
#include "support/scripted_prompts.h"
#include "support/widget_application.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The PDF page sizes of portrait and landscape report pages on Letter.
std::vector<std::string> LetterPages(const std::vector<int>& orientations)
{
    std::vector<std::string> sizes;
    for (int orientation : orientations)
        sizes.push_back(orientation == CReportPrintout::kLandscape ? "792x612" : "612x792");
    return sizes;
}

CShellCommand Pdf(const std::string& report, const std::string& output)
{
    CShellCommand command;
    command.kind = CShellCommand::printFilePdf;
    command.fileName = report;
    command.outputFile = output;
    return command;
}

struct PrintRun {
    int status;
    std::string errors;
};

PrintRun Print(const CShellCommand& command, ScriptedPrompts& prompts)
{
    std::ostringstream errors;
    const int status = RunShellPrint(command, prompts, errors);
    return {status, errors.str()};
}

}  // namespace

TEST(ShellPrint, AReportFilePrintsIntoAPdfFileAPagePerReportPage)
{
    WidgetApplication();
    CScratchDir dir;
    CReportPrintout sample = SampleReport();
    const std::vector<int> orientations = PageOrientationsOf(sample);
    ASSERT_GE(orientations.size(), 4u);
    const QString report = SavedReport(QString::fromStdString(dir.File("")), "aging.tdf", sample);

    ScriptedPrompts prompts;
    const PrintRun run = Print(Pdf(report.toStdString(), dir.File("aging.pdf")), prompts);
    EXPECT_EQ(run.status, ShellPrintStatus::kPrinted);
    EXPECT_EQ(run.errors, "");
    const QByteArray pdf = ReadAll(dir.File("aging.pdf"));
    EXPECT_EQ(PdfPageSizes(pdf), LetterPages(orientations));
    // The job is named after the report file.
    EXPECT_TRUE(pdf.contains(QByteArray("\0a\0g\0i\0n\0g\0.\0t\0d\0f", 18)));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(ShellPrint, FailuresAreReportedAndEndTheProgramWithAFailureStatus)
{
    WidgetApplication();
    CScratchDir dir;
    const QString folder = QString::fromStdString(dir.File(""));
    const std::string report = SavedReport(folder, "one.tdf", OnePageReport()).toStdString();
    const std::string empty = SavedReport(folder, "empty.tdf", CReportPrintout()).toStdString();
    ScriptedPrompts prompts;

    // Into a PDF file: on the error stream only, never in a window.
    PrintRun run = Print(Pdf(dir.File("missing.tdf"), dir.File("out.pdf")), prompts);
    EXPECT_EQ(run.status, ShellPrintStatus::kFailed);
    EXPECT_NE(run.errors.find("Error opening file"), std::string::npos) << run.errors;
    run = Print(Pdf(report, dir.File("no-such-folder/out.pdf")), prompts);
    EXPECT_EQ(run.status, ShellPrintStatus::kFailed);
    EXPECT_NE(run.errors.find("Error creating file"), std::string::npos) << run.errors;
    // An empty report prints nothing, so the file asked for is not made.
    run = Print(Pdf(empty, dir.File("empty.pdf")), prompts);
    EXPECT_EQ(run.status, ShellPrintStatus::kFailed);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.File("empty.pdf"))));
    EXPECT_TRUE(prompts.messages.empty());

    // The print flag shows the report file's own message.
    CShellCommand print;
    print.kind = CShellCommand::printFile;
    print.fileName = dir.File("missing.tdf");
    EXPECT_EQ(Print(print, prompts).status, ShellPrintStatus::kFailed);
    EXPECT_EQ(prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Error opening file")});

    // An incomplete form says how the forms go.
    CShellCommand incomplete;
    incomplete.kind = CShellCommand::incomplete;
    run = Print(incomplete, prompts);
    EXPECT_EQ(run.status, ShellPrintStatus::kUsage);
    EXPECT_NE(run.errors.find("-pdf FILE.tdf OUTPUT.pdf"), std::string::npos);
}

TEST(ShellPrint, TheProgramPrintsIntoAPdfFileWithoutADisplay)
{
    WidgetApplication();
    CScratchDir dir;
    CReportPrintout sample = SampleReport();
    const std::vector<int> orientations = PageOrientationsOf(sample);
    const QString report = SavedReport(QString::fromStdString(dir.File("")), "aging.tdf", sample);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const auto run = [&](const QStringList& arguments) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(ORVENNAOC_PATH), arguments);
        EXPECT_TRUE(program.waitForFinished(120000));
        return std::make_pair(program.exitCode(), QString::fromLocal8Bit(program.readAllStandardError()));
    };

    const QString output = QString::fromStdString(dir.File("aging.pdf"));
    auto [status, errors] = run({QStringLiteral("-pdf"), report, output});
    EXPECT_EQ(status, 0) << errors.toStdString();
    EXPECT_EQ(PdfPageSizes(ReadAll(output.toStdString())), LetterPages(orientations));

    std::tie(status, errors) = run({QStringLiteral("-pdf"), QString::fromStdString(dir.File("missing.tdf")), output});
    EXPECT_EQ(status, ShellPrintStatus::kFailed);
    EXPECT_TRUE(errors.contains(QStringLiteral("Error opening file"))) << errors.toStdString();
}
