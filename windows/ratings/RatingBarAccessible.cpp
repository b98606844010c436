#include "windows/ratings/RatingBarAccessible.h"

#include "core/ratings/RatingCore.h"
#include "widgets/kit/Accessibility.h"
#include "windows/ratings/RatingBar.h"

namespace {

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("RatingBar"))
        return new RatingBarAccessible(static_cast<RatingBar *>(object));
    return nullptr;
}

} // namespace

RatingBarAccessible::RatingBarAccessible(RatingBar *bar)
    : QAccessibleWidget(bar, QAccessible::Slider)
{
}

void RatingBarAccessible::install() { accessibility::installFactory(factory); }

RatingBar *RatingBarAccessible::bar() const { return static_cast<RatingBar *>(widget()); }

QString RatingBarAccessible::text(QAccessible::Text t) const
{
    const std::optional<float> rating = bar()->rating();
    switch (t) {
    case QAccessible::Value:
        return rating ? QString::number(RatingCore::PercentScore(*rating), 'f', 1) : QString();
    case QAccessible::Description:
        return rating ? QStringLiteral("1 to 9: ") + RatingCore::NineScoreText(*rating)
                      : QStringLiteral("not rated");
    default: return QAccessibleWidget::text(t);
    }
}

QAccessible::State RatingBarAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    return s;
}

void *RatingBarAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

QVariant RatingBarAccessible::currentValue() const
{
    const std::optional<float> rating = bar()->rating();
    return rating ? QVariant(RatingCore::PercentScore(*rating)) : QVariant();
}

QVariant RatingBarAccessible::maximumValue() const { return 100.0; }

QVariant RatingBarAccessible::minimumValue() const { return 0.0; }

QVariant RatingBarAccessible::minimumStepSize() const { return 0.1; }
