#pragma once
// "Orvenna Import Client": sends a text file of cases to the server (IMPORTCASES) and
// shows the server's report lines in a log that is never cleared, so that several files
// can be imported one after the other. The client does not read the file's contents:
// its bytes go to the server as they are.

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class CBinaryObject;
class QLineEdit;
class QPlainTextEdit;
class UserPrompts;

// The import without a window: reads the file, sends it and gives the text for the log.
class CCaseImportLogic {
public:
    static constexpr const char* kErrorOpening = "Error opening file";
    static constexpr const char* kSendFailed = "Failed to send import file to server";
    static constexpr const char* kImporting = "\r\nImporting...\r\n\r\n";
    static constexpr size_t kMaxErrorText = 1023;

    // IMPORTCASES: the file's bytes out, the server's lines back; false when the exchange
    // failed.
    using Sender = std::function<bool(const CBinaryObject& file, std::vector<std::string>& lines)>;
    // Adds text at the end of the log.
    using LogSink = std::function<void(const std::string& text)>;

    // Imports the file at `path`: failures are shown through the prompts, the log gets
    // "Importing..." and then each returned line with CR LF. True when the server
    // answered.
    static bool Import(const std::string& path, const Sender& send, const LogSink& log, UserPrompts& prompts);
};

class CCaseImportDlg : public QDialog {
    Q_OBJECT
public:
    CCaseImportDlg(CCaseImportLogic::Sender send, UserPrompts& prompts, QWidget* parent = nullptr);

    QLineEdit* PathEdit() const { return m_path; }
    QPlainTextEdit* Log() const { return m_log; }

    // "...": the open-file chooser, starting from the path in the edit.
    void Browse();
    // "Import".
    void Import();

private:
    CCaseImportLogic::Sender m_send;
    UserPrompts& m_prompts;
    QLineEdit* m_path = nullptr;
    QPlainTextEdit* m_log = nullptr;
};
