// The document's reports: showing a report view in the report pane, exporting it as a
// PDF, TIFF or XPS document, and the report files.
#include "app/orvenna_oc_doc.h"

#include "platform/user_prompts.h"
#include "report/report_file.h"
#include "report/report_printout.h"

#include <QFile>
#include <QSaveFile>

namespace {

// The exported document's file type: the dialog's default extension and its filter.
FileChoice ExportChoice(CInventoryServer::ReportOutput output)
{
    QString extension;
    QString typeName;
    switch (output) {
    case CInventoryServer::outputPdf:
        extension = QStringLiteral("pdf");
        typeName = QStringLiteral("PDF File");
        break;
    case CInventoryServer::outputTiff:
        extension = QStringLiteral("tif");
        typeName = QStringLiteral("TIFF File");
        break;
    default:
        extension = QStringLiteral("xps");
        typeName = QStringLiteral("XPS File");
        break;
    }
    FileChoice choice;
    choice.defaultExtension = extension;
    choice.filter = typeName + QStringLiteral("s (*.") + extension + QStringLiteral(")|*.") + extension +
                    QStringLiteral("||");
    choice.overwritePrompt = true;
    return choice;
}

FileChoice ReportFileChoice(const char* title)
{
    FileChoice choice;
    choice.title = QString::fromLatin1(title);
    choice.defaultExtension = QString::fromLatin1(ReportFile::kExtension);
    choice.filter = QString::fromLatin1(ReportFile::kFilter);
    choice.overwritePrompt = true;
    return choice;
}

// A path as the file functions take it: in the file system's own encoding.
std::string FileSystemPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Creates or truncates the file and writes the bytes. An existing file is replaced only
// once everything is written.
bool WriteFileBytes(const QString& path, const std::string& bytes)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace

void COrvennaOCDoc::ShowInReportPane(std::shared_ptr<CReportPrintout> report)
{
    report_ = std::move(report);
    const std::vector<DocumentObserver*> observers = observers_;
    for (DocumentObserver* observer : observers)
        observer->OnReportShown(report_);
}

bool COrvennaOCDoc::ShowReport(const std::string& reportName, const CInventoryServer::CaseIds& caseIds)
{
    Operation operation(*this);
    const std::optional<std::string> block = GenerateReport(reportName, caseIds, CInventoryServer::outputPrintout);
    if (!block)
        return false;
    // The block is the printout's archive bytes, not compressed. One that does not hold a
    // printout is as good as none received.
    CReportLoadResult loaded = LoadReportBlock(*block);
    if (!loaded.Ok()) {
        Message("Error receiving report data from server");
        return false;
    }
    ShowInReportPane(std::move(loaded.printout));
    return true;
}

bool COrvennaOCDoc::ExportReport(const std::string& reportName, const CInventoryServer::CaseIds& caseIds,
                                 CInventoryServer::ReportOutput output)
{
    Operation operation(*this);
    const std::optional<QString> path = prompts_.ChooseSaveFile(ExportChoice(output));
    if (!path)
        return false;
    const std::optional<std::string> document = GenerateReport(reportName, caseIds, output);
    if (!document)
        return false;
    if (document->empty())
        Message("Report is empty.  Nothing to save.");
    if (!WriteFileBytes(*path, *document)) {
        Message(ReportFile::kErrorCreating);
        return false;
    }
    return true;
}

bool COrvennaOCDoc::OpenReportFile(const QString& path)
{
    QString chosen = path;
    if (chosen.isEmpty()) {
        FileChoice choice = ReportFileChoice(ReportFile::kOpenTitle);
        choice.overwritePrompt = false;
        const std::optional<QString> answer = prompts_.ChooseOpenFile(choice);
        if (!answer)
            return false;
        chosen = *answer;
    }
    CReportLoadResult loaded;
    {
        WaitCursor wait(prompts_);
        loaded = ::OpenReportFile(FileSystemPath(chosen));
    }
    if (!loaded.Ok()) {
        prompts_.Message(QString::fromLatin1(loaded.message));
        return false;
    }
    ShowInReportPane(std::move(loaded.printout));
    return true;
}

bool COrvennaOCDoc::SaveReportFile()
{
    const std::optional<QString> path = prompts_.ChooseSaveFile(ReportFileChoice(ReportFile::kSaveTitle));
    if (!path)
        return false;
    std::string failure;
    {
        WaitCursor wait(prompts_);
        failure = ::SaveReportFile(*report_, FileSystemPath(*path));
    }
    if (!failure.empty()) {
        prompts_.Message(QString::fromLatin1(failure));
        return false;
    }
    return true;
}
