#pragma once
// The blank pane that stands where neither a case list nor a report is shown. The first
// time it is shown it asks for the document title "Inventory".

#include <QWidget>

class CEmptyView : public QWidget {
    Q_OBJECT
public:
    explicit CEmptyView(QWidget* parent = nullptr);

signals:
    void documentTitleRequested(const QString& title);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool shown_ = false;
};
