#pragma once
// "Manage Case Views": one account's case view definitions by name, with Add, Edit
// (the case view editor in full mode), Delete and Copy To. The set given is edited in
// place; the caller stores it on OK.

#include "records/case_query_data.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QListWidget;
class UserPrompts;

using CaseQueryDefinitions = std::vector<std::shared_ptr<CCaseQueryData>>;

class CManageCaseViewsDlg : public QDialog {
    Q_OBJECT
public:
    using CopyTo = std::function<void(const CCaseQueryData& view)>;
    // Runs the editor over a definition: true on OK. Given by tests; the real sheet
    // otherwise.
    using Editor = std::function<bool(CCaseQueryData& view, const QString& title, const CaseQueryDefinitions& set,
                                      const CCaseQueryData* original)>;

    CManageCaseViewsDlg(CaseQueryDefinitions& views, UserPrompts& prompts, CopyTo copyTo,
                        QWidget* parent = nullptr, Editor editor = {});

    QListWidget* List() const { return list_; }
    // A new definition as "&Add..." starts it: the defaults, scope "All Parents" and the
    // four target-field tokens.
    static CCaseQueryData NewDefinition();

private:
    int Selected();
    void Add();
    void Edit();
    void Delete();
    void CopySelected();
    bool RunEditor(CCaseQueryData& view, const QString& title, const CCaseQueryData* original);

    CaseQueryDefinitions& views_;
    UserPrompts& prompts_;
    CopyTo copyTo_;
    Editor editor_;
    QListWidget* list_;
};
