#pragma once

#include <QLayout>
#include <QList>

namespace spritlog {

// Lays its items out left to right, each at its preferred size and bottom-aligned in its row,
// and starts a new row where the next item would run past the right edge: narrower than
// one row, it grows in height instead of letting items cover each other. Its preferred
// size is one row, its minimum the widest item.
class WrapLayout : public QLayout {
public:
    explicit WrapLayout(QWidget* parent);
    ~WrapLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in `rect` when `place` is set; gives the height the rows take.
    int arrange(const QRect& rect, bool place) const;

    QList<QLayoutItem*> items_;
};

} // namespace spritlog
