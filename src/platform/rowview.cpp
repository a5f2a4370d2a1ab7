#include "rowview.h"

#include <utility>

RowView::RowView(QString left, QString right) : m_left(std::move(left)), m_right(std::move(right))
{ }

std::shared_ptr<RowView> RowView::makeTwoTextColumnStackForMenus(const QString &a, const QString &b)
{
    return std::make_shared<RowView>(a, b);
}
