#include "windows/main/Form1View.h"

#include "assets/Assets.h"
#include "core/events/DriftFreeTimer.h"
#include "widgets/kit/Accessibility.h"
#include "widgets/kit/BorderedLabel.h"
#include "widgets/kit/CaptionFit.h"
#include "widgets/kit/DesignButton.h"
#include "widgets/kit/LayoutBuilder.h"
#include "widgets/kit/MessageBox.h"
#include "windows/main/Form1Layout.h"

#include <QWidget>

namespace {

Rgb toRgb(const QColor &colour) { return {colour.red(), colour.green(), colour.blue()}; }

} // namespace

Form1View::Form1View(QWidget &window, QWidget &clientArea,
                     const QHash<QString, QWidget *> &controls, DriftFreeTimer &timer)
    : m_window(window), m_clientArea(clientArea), m_controls(controls), m_timer(timer),
      m_stopwatch(assets::stopwatchCursor(window.devicePixelRatioF()))
{
}

ShownState Form1View::design() const
{
    ShownState design;
    for (int i = 0; i < SessionControlCount; ++i) {
        QWidget *control = widget(SessionControl(i));
        design.visible[i] = !control->isHidden();
        if (auto *label = qobject_cast<BorderedLabel *>(control)) {
            design.texts[i] = label->text();
            design.colours[i] = toRgb(label->textColour());
        }
    }
    const auto *start = qobject_cast<DesignButton *>(widget(SessionControl::Command1));
    design.startButton = ShownState::StartButton{start->text(), toRgb(start->backColour())};
    return design;
}

QWidget *Form1View::widget(SessionControl control) const
{
    QWidget *found = m_controls.value(QString::fromLatin1(controlName(control)));
    Q_ASSERT_X(found, "Form1View", controlName(control));
    return found;
}

void Form1View::setText(SessionControl control, const QString &text)
{
    if (auto *label = qobject_cast<BorderedLabel *>(widget(control))) {
        label->setText(text);
        fitCaption(*label);
    } else if (auto *button = qobject_cast<DesignButton *>(widget(control)))
        button->setText(text);
}

void Form1View::fitCaption(QLabel &label)
{
    if (const ControlRow *row = layout::find(form1layout::rows(), label.objectName()))
        captionfit::fit(label, layout::font(row->font));
}

void Form1View::setForeColour(SessionControl control, Rgb colour)
{
    if (auto *label = qobject_cast<BorderedLabel *>(widget(control)))
        label->setTextColour(layout::colour(colour));
}

void Form1View::setVisible(SessionControl control, bool visible)
{
    accessibility::setVisible(widget(control), visible);
}

void Form1View::setStartButton(const QString &caption, Rgb backColour)
{
    auto *button = qobject_cast<DesignButton *>(widget(SessionControl::Command1));
    accessibility::setFocusedCaption(button, caption);
    button->setBackColour(layout::colour(backColour));
}

void Form1View::setPointer(SessionPointer pointer)
{
    m_pointer = pointer;
    // The whole client area, controls included, shows the pointer; the menu bar keeps its own.
    if (pointer == SessionPointer::Stopwatch)
        m_clientArea.setCursor(m_stopwatch);
    else
        m_clientArea.setCursor(Qt::ArrowCursor);
}

void Form1View::setTimerEnabled(bool enabled, qint64 phaseNanoseconds)
{
    if (enabled)
        m_timer.startAt(phaseNanoseconds);
    else
        m_timer.setEnabled(false);
}

void Form1View::showMessage(const QString &message) { messagebox::show(&m_window, message); }
