#include "report/report_fonts.h"

#include <QDir>
#include <QFontDatabase>
#include <QStringList>

#include <mutex>

namespace {

const char kLiberationFolder[] = "/usr/share/fonts/truetype/liberation2";

}  // namespace

QString ResolveFontFamily(const std::string& face)
{
    const QString name = QString::fromLatin1(face.data(), static_cast<qsizetype>(face.size()));
    if (name.compare("Arial", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (name.compare("Times New Roman", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (name.compare("Courier New", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return name;
}

void EnsureReportFonts()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
            return;
        const QDir folder(QString::fromLatin1(kLiberationFolder));
        for (const QString& file : folder.entryList({QStringLiteral("Liberation*.ttf")}, QDir::Files))
            QFontDatabase::addApplicationFont(folder.filePath(file));
    });
}

QFont ReferenceFont(const CReportFont& font)
{
    EnsureReportFonts();
    QFont qfont(ResolveFontFamily(font.face));
    qfont.setPixelSize(kReferencePixelSize);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setKerning(false);
    qfont.setHintingPreference(QFont::PreferNoHinting);
    return qfont;
}
