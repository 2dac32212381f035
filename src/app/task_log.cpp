#include "app/task_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>
#include <fstream>
#include <memory>

bool CTaskLog::Load()
{
    std::ifstream in(m_path, std::ios::binary);
    if (!in)
        return true;  // no log yet
    std::string piece;
    char c = 0;
    while (in.get(c)) {
        piece += c;
        if (c == '\n' || piece.size() == kMaxReadPiece) {
            Append(piece);
            piece.clear();
        }
    }
    if (!piece.empty())
        Append(piece);
    return in.eof();
}

void CTaskLog::Append(const std::string& line)
{
    while (m_lines.size() >= kMaxLines)
        m_lines.pop_front();
    m_lines.push_back(line);
}

bool CTaskLog::Save() const
{
    std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    for (const std::string& line : m_lines)
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.flush();
    return static_cast<bool>(out);
}

std::string CTaskLog::TimeStamp(std::time_t moment)
{
    std::tm local{};
    localtime_r(&moment, &local);
    char text[64] = {};
    const size_t length = std::strftime(text, sizeof text, "%x %I:%M%p", &local);
    return std::string(text, length);
}

QString TaskLogFileNameFor(const QString& programFile)
{
    const QString name = QFileInfo(programFile).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    return stem + QStringLiteral(".LOG");
}

QString TaskLogFilePath()
{
    const QString program = QCoreApplication::applicationFilePath();
    const QString folder = QFileInfo(program).absolutePath();
    const bool writable = QFileInfo(folder).isWritable();
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(writable ? folder : configFolder).filePath(TaskLogFileNameFor(program));
}
