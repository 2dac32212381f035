#pragma once
// Reading back what was printed into PDF files: the page objects and their media boxes.

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>

#include <filesystem>
#include <string>
#include <vector>

inline QByteArray ReadAll(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The media box of every page object, in file order: "612x792" for portrait Letter.
inline std::vector<std::string> PdfPageSizes(const QByteArray& pdf)
{
    std::vector<std::string> sizes;
    static const QRegularExpression page(R"(/Type\s*/Page\b(?!s)[^>]*?/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])");
    auto it = page.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        const auto match = it.next();
        sizes.push_back(QString("%1x%2")
                            .arg(qRound(match.captured(1).toDouble()))
                            .arg(qRound(match.captured(2).toDouble()))
                            .toStdString());
    }
    return sizes;
}

// A fresh folder under the system's temporary folder, removed with its files.
class CScratchDir {
public:
    CScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "orv-print-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~CScratchDir()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};
