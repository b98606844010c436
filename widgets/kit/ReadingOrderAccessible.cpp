#include "widgets/kit/ReadingOrderAccessible.h"

#include "core/design/ReadingOrder.h"

#include <QFocusFrame>
#include <QMenu>

ReadingOrderAccessible::ReadingOrderAccessible(QWidget *container, QAccessible::Role role)
    : QAccessibleWidget(container, role)
{
}

QList<QWidget *> ReadingOrderAccessible::readingOrder() const
{
    // The same children Qt gives a reader: no separate windows, menus or focus frames.
    QList<QWidget *> widgets;
    QList<QRect> boxes;
    for (QObject *object : widget()->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (!child || child->isWindow() || qobject_cast<QMenu *>(child) ||
            qobject_cast<QFocusFrame *>(child) ||
            child->objectName() == QLatin1String("qt_rubberband"))
            continue;
        widgets.append(child);
        boxes.append(child->geometry());
    }
    QList<QWidget *> ordered;
    ordered.reserve(widgets.size());
    for (int i : readingorder::order(boxes))
        ordered.append(widgets.at(i));
    return ordered;
}

int ReadingOrderAccessible::childCount() const { return int(readingOrder().size()); }

QAccessibleInterface *ReadingOrderAccessible::child(int index) const
{
    const QList<QWidget *> children = readingOrder();
    if (index < 0 || index >= children.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(children.at(index));
}

int ReadingOrderAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    return int(readingOrder().indexOf(qobject_cast<QWidget *>(child->object())));
}
