#include "app/window/wraplayout.h"

#include <QWidget>

#include <algorithm>
#include <vector>

namespace spritlog {

WrapLayout::WrapLayout(QWidget* parent) : QLayout(parent) {}

WrapLayout::~WrapLayout() {
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void WrapLayout::addItem(QLayoutItem* item) {
    items_.append(item);
}

int WrapLayout::count() const {
    return static_cast<int>(items_.size());
}

QLayoutItem* WrapLayout::itemAt(int index) const {
    return items_.value(index);
}

QLayoutItem* WrapLayout::takeAt(int index) {
    if (index < 0 || index >= items_.size())
        return nullptr;
    return items_.takeAt(index);
}

Qt::Orientations WrapLayout::expandingDirections() const {
    return {};
}

bool WrapLayout::hasHeightForWidth() const {
    return true;
}

int WrapLayout::heightForWidth(int width) const {
    return arrange(QRect(0, 0, width, 0), false);
}

QSize WrapLayout::minimumSize() const {
    QSize widest;
    for (QLayoutItem* item : items_)
        if (!item->isEmpty())
            widest = widest.expandedTo(item->sizeHint());
    const QMargins margins = contentsMargins();
    return widest.grownBy(margins);
}

QSize WrapLayout::sizeHint() const {
    const QMargins margins = contentsMargins();
    int width = 0;
    int height = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        width += (width ? spacing() : 0) + item->sizeHint().width();
        height = std::max(height, item->sizeHint().height());
    }
    return QSize(width + margins.left() + margins.right(),
                 height + margins.top() + margins.bottom());
}

void WrapLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int WrapLayout::arrange(const QRect& rect, bool place) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int gap = spacing();
    int top = area.top();
    std::vector<QLayoutItem*> row;
    int rowWidth = 0;
    int rowHeight = 0;
    auto finishRow = [&] {
        int x = area.left();
        for (QLayoutItem* item : row) {
            const QSize size = item->sizeHint();
            if (place)
                item->setGeometry(QRect(QPoint(x, top + rowHeight - size.height()), size));
            x += size.width() + gap;
        }
        if (!row.empty())
            top += rowHeight + gap;
        row.clear();
        rowWidth = 0;
        rowHeight = 0;
    };
    for (QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        const QSize size = item->sizeHint();
        if (!row.empty() && rowWidth + gap + size.width() > area.width())
            finishRow();
        rowWidth += (row.empty() ? 0 : gap) + size.width();
        rowHeight = std::max(rowHeight, size.height());
        row.push_back(item);
    }
    finishRow();
    const int used = top > area.top() ? top - gap - area.top() : 0;
    return used + contentsMargins().top() + contentsMargins().bottom();
}

} // namespace spritlog
