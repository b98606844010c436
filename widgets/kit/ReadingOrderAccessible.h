#pragma once

#include <QAccessibleWidget>

// A container as a screen reader sees it: its child widgets in reading order (top-down, panel by
// panel; see readingorder::order), while the widgets themselves keep their stacking order.
class ReadingOrderAccessible : public QAccessibleWidget {
public:
    ReadingOrderAccessible(QWidget *container, QAccessible::Role role);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    // The child widgets a reader is given, in reading order.
    QList<QWidget *> readingOrder() const;
};
