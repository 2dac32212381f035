#pragma once
// UserPrompts on the desktop: message boxes, the file and folder dialogs and Qt's
// override cursor. Dialogs are centred on the parent window given here (may be null).

#include "platform/user_prompts.h"

#include <QPointer>
#include <QWidget>

class DialogPrompts : public UserPrompts {
public:
    explicit DialogPrompts(QWidget* parent = nullptr);

    void SetParent(QWidget* parent) { parent_ = parent; }

    void Message(const QString& text, Icon icon, const QString& caption) override;
    bool AskYesNo(const QString& text, bool defaultNo, const QString& caption) override;
    std::optional<QString> ChooseOpenFile(const FileChoice& choice) override;
    std::optional<QString> ChooseSaveFile(const FileChoice& choice) override;
    std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    std::unique_ptr<TransferProgressView> CreateTransferProgressView() override;

private:
    std::optional<QString> ChooseFile(const FileChoice& choice, bool save);

    QPointer<QWidget> parent_;
};
