#pragma once

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

class RatingBar;

// A rating bar as a screen reader sees it: a slider named after its feature ("Speaking rate")
// whose read-only value is the 0-100 score of its mark, to a tenth (49.1), and whose description
// is its 1-9 score ("1 to 9: 4.9"); while it shows no mark it has no value and the description
// "not rated". Nothing a reader asks can change the rating.
class RatingBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit RatingBarAccessible(RatingBar *bar);

    // Registers the interface with Qt; safe to call any number of times.
    static void install();

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    RatingBar *bar() const;
};
