#include "casedlg/case_import_dlg.h"

#include "codec/binary_object.h"
#include "platform/user_prompts.h"

#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Dialog units to pixels for the dialog's font: a quarter of the average character
// width across, an eighth of the line height down.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font)
    {
        const QFontMetrics metrics(font);
        const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        m_width = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
        m_height = metrics.height();
    }
    QRect Rect(int x, int y, int width, int height) const
    {
        return {x * m_width / 4, y * m_height / 8, width * m_width / 4, height * m_height / 8};
    }

private:
    int m_width = 6;
    int m_height = 13;
};

}  // namespace

bool CCaseImportLogic::Import(const std::string& path, const Sender& send, const LogSink& log, UserPrompts& prompts)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        prompts.Message(QString::fromLatin1(kErrorOpening));
        return false;
    }
    std::string bytes;
    char buffer[65536];
    size_t got = 0;
    errno = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, got);
    if (std::ferror(file.get())) {
        const std::string reason = errno != 0 ? std::strerror(errno) : "Error reading file";
        prompts.Message(Latin1(reason.substr(0, kMaxErrorText)));
        return false;
    }

    prompts.BeginWaitCursor();
    log(kImporting);
    std::vector<std::string> lines;
    const bool answered = send(CBinaryObject(std::move(bytes)), lines);
    if (answered)
        for (const std::string& line : lines)
            log(line + "\r\n");
    prompts.EndWaitCursor();
    if (!answered)
        prompts.Message(QString::fromLatin1(kSendFailed));
    return answered;
}

CCaseImportDlg::CCaseImportDlg(CCaseImportLogic::Sender send, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_send(std::move(send)), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("Orvenna Import Client"));
    const DialogUnits units(font());
    setFixedSize(units.Rect(0, 0, 312, 201).size());

    auto* group = new QGroupBox(QStringLiteral("Source Text File"), this);
    group->setGeometry(units.Rect(5, 10, 195, 35));
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("path"));
    m_path->setGeometry(units.Rect(10, 25, 160, 12));
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("browse"));
    browse->setGeometry(units.Rect(175, 25, 20, 13));
    auto* import = new QPushButton(QStringLiteral("Import"), this);
    import->setObjectName(QStringLiteral("import"));
    import->setGeometry(units.Rect(255, 5, 50, 14));
    import->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setGeometry(units.Rect(255, 23, 50, 14));
    m_log = new QPlainTextEdit(this);
    m_log->setObjectName(QStringLiteral("log"));
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_log->setGeometry(units.Rect(5, 55, 300, 140));

    connect(browse, &QPushButton::clicked, this, &CCaseImportDlg::Browse);
    connect(import, &QPushButton::clicked, this, &CCaseImportDlg::Import);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void CCaseImportDlg::Browse()
{
    FileChoice choice;
    choice.title = QStringLiteral("Select Source Text File");
    choice.filter = QStringLiteral("All Files (*.*)|*.*||");
    choice.initialPath = m_path->text().left(255);
    choice.overwritePrompt = false;
    if (const std::optional<QString> chosen = m_prompts.ChooseOpenFile(choice))
        m_path->setText(*chosen);
}

void CCaseImportDlg::Import()
{
    const std::string path = QFile::encodeName(m_path->text()).toStdString();
    CCaseImportLogic::Import(
        path, m_send,
        [this](const std::string& text) {
            // The log keeps CR LF line ends as the server's lines came; the view shows lines.
            QString shown = Latin1(text);
            shown.remove(QLatin1Char('\r'));
            m_log->moveCursor(QTextCursor::End);
            m_log->insertPlainText(shown);
            m_log->verticalScrollBar()->setValue(m_log->verticalScrollBar()->maximum());
        },
        m_prompts);
}
