#include "widgets/kit/Accessibility.h"

#include "widgets/kit/BorderedLabel.h"
#include "widgets/kit/LabelAccessible.h"
#include "widgets/kit/ReadingOrderAccessible.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QList>
#include <QWidget>

namespace accessibility {

namespace {

constexpr const char *topDownProperty = "tallymereReadsTopDown";
constexpr const char *notificationProperty = "tallymereReadsAsNotification";

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("BorderedLabel"))
        return new LabelAccessible(static_cast<BorderedLabel *>(object));
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && widget->property(notificationProperty).toBool())
        return new QAccessibleWidget(widget, QAccessible::Notification);
    if (widget && widget->property(topDownProperty).toBool())
        return new ReadingOrderAccessible(widget, widget->isWindow() ? QAccessible::Window
                                                                     : QAccessible::Client);
    return nullptr;
}

// Drops the interface a reader knows `widget` by: the next one Qt makes for it has an id, and so
// an object path, of its own, and the reader caches nothing of it yet.
void renew(QWidget *widget)
{
    if (!QAccessible::isActive())
        return; // no reader: no interface to renew
    if (QAccessibleInterface *known = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}

} // namespace

void install() { installFactory(factory); }

void installFactory(QAccessible::InterfaceFactory factory)
{
    static QList<QAccessible::InterfaceFactory> installed;
    if (installed.contains(factory))
        return;
    installed.append(factory);
    QAccessible::installFactory(factory);
}

void readTopDown(QWidget *container) { container->setProperty(topDownProperty, true); }

void readAsNotification(QWidget *widget) { widget->setProperty(notificationProperty, true); }

void setVisible(QWidget *widget, bool visible)
{
    if (visible && widget->isHidden())
        renew(widget);
    widget->setVisible(visible);
}

void setFocusedCaption(QAbstractButton *button, const QString &caption)
{
    if (button->text() == caption)
        return;
    const bool focused = button->hasFocus();
    if (focused)
        renew(button);
    button->setText(caption);
    if (!focused)
        return;
    QAccessibleEvent focus(button, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

} // namespace accessibility
