#include "query/widgets/empty_view.h"

CEmptyView::CEmptyView(QWidget* parent) : QWidget(parent)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void CEmptyView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    emit documentTitleRequested(QStringLiteral("Inventory"));
}
