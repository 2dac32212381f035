#include "app/case_list_export.h"

#include "platform/user_prompts.h"
#include "records/case_query_results.h"

#include <QSaveFile>

std::string CaseListText(const CCaseQueryResults& results)
{
    const size_t columns = results.resultColumns.size();
    auto line = [columns](const auto& textOf) {
        std::string text;
        for (size_t column = 1; column < columns; ++column) {
            if (column > 1)
                text += '\t';
            text += textOf(column);
        }
        return text + "\r\n";
    };
    std::string text = line([&](size_t column) -> const std::string& { return results.resultColumns[column]->header; });
    for (const auto& row : results.rows)
        text += line([&](size_t column) -> const std::string& { return row->Cell(column); });
    return text;
}

std::optional<QString> WriteCaseListText(const CCaseQueryResults& results, const QString& path)
{
    const std::string text = CaseListText(results);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

bool ExportCaseListToText(UserPrompts& prompts, const CCaseQueryResults* results)
{
    if (!results || results->rows.empty())
        return false;
    FileChoice choice;
    choice.title = QStringLiteral("Export Case View To Text File");
    choice.defaultExtension = QStringLiteral("txt");
    choice.filter = QStringLiteral("Tabbed Text Files (*.txt)|*.txt||");
    choice.overwritePrompt = true;
    const std::optional<QString> path = prompts.ChooseSaveFile(choice);
    if (!path)
        return false;
    if (const std::optional<QString> error = WriteCaseListText(*results, *path)) {
        prompts.Message(*error, UserPrompts::Icon::stop);
        return false;
    }
    return true;
}
