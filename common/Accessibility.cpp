#include "common/Accessibility.h"

#include "common/BorderedLabel.h"
#include "common/LabelAccessible.h"
#include "common/ReadingOrderAccessible.h"

#include <QAccessible>
#include <QWidget>

namespace accessibility {

namespace {

constexpr const char *topDownProperty = "tallymereReadsTopDown";

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("BorderedLabel"))
        return new LabelAccessible(static_cast<BorderedLabel *>(object));
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && widget->property(topDownProperty).toBool())
        return new ReadingOrderAccessible(widget, widget->isWindow() ? QAccessible::Window
                                                                     : QAccessible::Client);
    return nullptr;
}

} // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void readTopDown(QWidget *container) { container->setProperty(topDownProperty, true); }

} // namespace accessibility
