#pragma once
// UserPrompts for tests: records every message, question and chooser call, and answers
// from scripts the test fills beforehand. A question with no scripted answer left is
// answered No, a chooser with none left is cancelled. Header only, so that only the
// test programs that use it need Qt.

#include "net/transfer_progress.h"
#include "platform/user_prompts.h"

#include <deque>
#include <optional>
#include <vector>

class ScriptedPrompts : public UserPrompts {
public:
    struct Shown {
        QString text;
        Icon icon;
        QString caption;
    };
    struct Asked {
        QString text;
        bool defaultNo;
        QString caption;
    };

    void Message(const QString& text, Icon icon, const QString& caption) override
    {
        messages.push_back({text, icon, caption});
    }

    bool AskYesNo(const QString& text, bool defaultNo, const QString& caption) override
    {
        questions.push_back({text, defaultNo, caption});
        return Take(answers).value_or(false);
    }

    std::optional<QString> ChooseOpenFile(const FileChoice& choice) override
    {
        fileChoices.push_back(choice);
        return Take(fileAnswers).value_or(std::nullopt);
    }

    std::optional<QString> ChooseSaveFile(const FileChoice& choice) override
    {
        fileChoices.push_back(choice);
        return Take(fileAnswers).value_or(std::nullopt);
    }

    std::optional<QString> ChooseFolder(const QString& title, const QString&) override
    {
        folderTitles.push_back(title);
        return Take(folderAnswers).value_or(std::nullopt);
    }

    void BeginWaitCursor() override
    {
        ++waitDepth;
        ++waitCursorsShown;
    }

    void EndWaitCursor() override { --waitDepth; }

    // The progress display of long exchanges: none unless the test gives one.
    std::unique_ptr<TransferProgressView> CreateTransferProgressView() override
    {
        return progressViews ? progressViews() : nullptr;
    }
    TransferProgressViewFactory progressViews;

    // The texts of the messages shown so far, in order.
    std::vector<QString> MessageTexts() const
    {
        std::vector<QString> texts;
        for (const Shown& shown : messages)
            texts.push_back(shown.text);
        return texts;
    }

    // Scripts, consumed from the front.
    std::deque<bool> answers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<QString>> folderAnswers;

    // What happened.
    std::vector<Shown> messages;
    std::vector<Asked> questions;
    std::vector<FileChoice> fileChoices;
    std::vector<QString> folderTitles;
    int waitDepth = 0;         // 0 again when every wait cursor ended
    int waitCursorsShown = 0;

private:
    template <class T>
    static std::optional<T> Take(std::deque<T>& script)
    {
        if (script.empty())
            return std::nullopt;
        T value = std::move(script.front());
        script.pop_front();
        return value;
    }
};
