#include "widgets/delivery/PrintingNote.h"

#include "widgets/kit/Accessibility.h"
#include "widgets/kit/MessageBox.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int textWidth = 420; // device-independent pixels; longer messages wrap

} // namespace

// A tool-tip window: the window manager never focuses it (on X11 it is not managed at all), and
// a Wayland compositor shows it as a popup of its owner without a grab, which never gets the
// keyboard, where a window of its own would be given the focus as it comes up.
PrintingNote::PrintingNote(QWidget *owner)
    : QFrame(owner, Qt::ToolTip | Qt::WindowDoesNotAcceptFocus), m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("PrintingNote"));
    setWindowTitle(QString::fromLatin1(messagebox::title) + QStringLiteral(" - ") + tr("Printing"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    m_label->setObjectName(QStringLiteral("PrintingNoteText"));
    m_label->setWordWrap(true);
    m_label->setFixedWidth(textWidth);
    accessibility::readAsNotification(m_label);
    auto *layout = new QVBoxLayout(this);
    // The note grows and shrinks with its text and buttons.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_label);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    layout->addLayout(buttons);
    m_save = addButton("PrintingNoteSave", tr("Save as PDF..."));
    m_close = addButton("PrintingNoteClose", tr("Close"));
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    connect(m_save, &QPushButton::clicked, this, &PrintingNote::saveAsked);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    refresh();
}

// Buttons are pressed with the mouse only: the keyboard stays with the window of the session.
QPushButton *PrintingNote::addButton(const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    button->hide();
    return button;
}

// In the lower right corner, away from the controls, which the windows have at their top left.
void PrintingNote::showFor(QWidget *owner)
{
    adjustSize();
    const QRect area = owner != nullptr ? owner->window()->geometry()
                                        : QGuiApplication::primaryScreen()->availableGeometry();
    constexpr int gap = 24;
    move(area.right() - gap - width(), area.bottom() - gap - height() - textWidth / 4);
    show();
}

void PrintingNote::setPrinter(const QString &name)
{
    m_printer = name;
    refresh();
}

void PrintingNote::sayAlreadySending()
{
    m_alreadySending = true;
    refresh();
    raise();
}

void PrintingNote::tell(const QString &message, bool canSave)
{
    m_told = message;
    m_alreadySending = false;
    m_save->setVisible(canSave);
    m_close->show();
    // Shown anew, the text reaches a reader as a new notification.
    m_label->hide();
    refresh();
    accessibility::setVisible(m_label, true);
    if (!isVisible())
        showFor(parentWidget());
    raise();
}

void PrintingNote::refresh()
{
    QString text = !m_told.isEmpty() ? m_told
                   : m_printer.isEmpty()
                       ? tr("Sending the report to the default printer...")
                       : tr("Sending the report to the printer \"%1\"...").arg(m_printer);
    if (m_alreadySending)
        text += QLatin1Char('\n') + tr("Only one report is sent at a time; print the other one "
                                       "when this one has gone.");
    setText(text);
}

void PrintingNote::setText(const QString &text)
{
    m_label->setText(text);
    m_label->setAccessibleName(text);
    adjustSize();
}
