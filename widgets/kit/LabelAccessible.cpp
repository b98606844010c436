#include "widgets/kit/LabelAccessible.h"

#include "widgets/kit/BorderedLabel.h"

LabelAccessible::LabelAccessible(BorderedLabel *label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{
}

BorderedLabel *LabelAccessible::label() const { return static_cast<BorderedLabel *>(widget()); }

QString LabelAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    const QString shown = label()->text().trimmed();
    const QString readerName = label()->readerName();
    if (!readerName.isEmpty())
        return shown.isEmpty() ? readerName : readerName + QStringLiteral(": ") + shown;
    const QString name = label()->accessibleName();
    return name.isEmpty() ? shown : name;
}

QAccessible::State LabelAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    return s;
}

void *LabelAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

void LabelAccessible::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

QString LabelAccessible::text(int startOffset, int endOffset) const
{
    const QString all = label()->text();
    if (endOffset < 0 || endOffset > all.size())
        endOffset = int(all.size()); // -1 reads to the end
    return all.mid(startOffset, endOffset - startOffset);
}

int LabelAccessible::characterCount() const { return int(label()->text().size()); }

QRect LabelAccessible::characterRect(int) const { return {}; }

int LabelAccessible::offsetAtPoint(const QPoint &) const { return -1; }

QString LabelAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // No attribute runs: the whole text is one run.
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}
