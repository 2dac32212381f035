#pragma once
// The one way the document and the views reach the person at the desk: messages, Yes/No
// questions, file and folder choosers and the wait cursor. The desktop program uses the
// dialog implementation (app/dialog_prompts.h); tests script the answers
// (tests/support/scripted_prompts.h), so that every flow runs without a window.

#include <QString>

#include <memory>
#include <optional>

class TransferProgressView;  // net/transfer_progress.h

// What a file chooser is asked for. The filter has the "Description (*.ext)|*.ext||"
// form in which the commands state it (see file_filter.h).
struct FileChoice {
    QString title;             // empty: the platform's own title
    QString defaultExtension;  // without the dot; appended when the user typed none
    QString filter;
    QString initialPath;       // folder or file to start from; may be empty
    bool overwritePrompt = true;  // save choosers ask before replacing a file
};

class UserPrompts {
public:
    enum class Icon { none, information, exclamation, stop, question };

    virtual ~UserPrompts() = default;

    // A message with an OK button. An empty caption stands for the program's title.
    virtual void Message(const QString& text, Icon icon = Icon::exclamation,
                         const QString& caption = {}) = 0;

    // A question with Yes and No; true only for Yes. With `defaultNo` the No button is
    // the default one.
    virtual bool AskYesNo(const QString& text, bool defaultNo = false, const QString& caption = {}) = 0;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> ChooseOpenFile(const FileChoice& choice) = 0;
    virtual std::optional<QString> ChooseSaveFile(const FileChoice& choice) = 0;
    virtual std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder) = 0;

    // Calls nest; the cursor is normal again after as many ends as begins. Use WaitCursor.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // The display of a long exchange with the server, with its Cancel (see
    // CTransferProgressScope). None, the default, shows nothing: batch runs and tests.
    virtual std::unique_ptr<TransferProgressView> CreateTransferProgressView();
};

// Shows the wait cursor for its lifetime.
class WaitCursor {
public:
    explicit WaitCursor(UserPrompts& prompts);
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserPrompts& prompts_;
};
