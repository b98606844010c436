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

// Buttons are pressed with the mouse only: the keyboard stays with the window of the session.
QPushButton *addButton(QWidget *message, QHBoxLayout *row, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, message);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

// A tool-tip window: the window manager never focuses it (on X11 it is not managed at all), and
// a Wayland compositor shows it as a popup of its owner without a grab, which never gets the
// keyboard, where a window of its own would be given the focus as it comes up.
PrintingNote::PrintingNote(QWidget *owner)
    : QFrame(owner, Qt::ToolTip | Qt::WindowDoesNotAcceptFocus), m_list(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("PrintingNote"));
    setWindowTitle(QString::fromLatin1(messagebox::title) + QStringLiteral(" - ") + tr("Printing"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // The note grows and shrinks with its messages.
    m_list->setSizeConstraint(QLayout::SetFixedSize);
    m_list->setContentsMargins(12, 12, 12, 12);
    m_list->setSpacing(12);
}

// In the lower right corner, away from the controls, which the windows have at their top left.
void PrintingNote::showFor(QWidget *owner)
{
    m_list->activate();
    adjustSize();
    const QRect area = owner != nullptr ? owner->window()->geometry()
                                        : QGuiApplication::primaryScreen()->availableGeometry();
    constexpr int gap = 24;
    move(area.right() - gap - width(), area.bottom() - gap - height() - textWidth / 4);
    show();
}

QWidget *PrintingNote::makeMessage(const QString &text, const std::function<void()> &save,
                                   bool closable, int number)
{
    auto *message = new QWidget(this);
    message->setObjectName(QStringLiteral("PrintingNoteMessage"));
    auto *layout = new QVBoxLayout(message);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(text, message);
    label->setObjectName(QStringLiteral("PrintingNoteText"));
    label->setWordWrap(true);
    label->setFixedWidth(textWidth);
    label->setAccessibleName(text);
    accessibility::readAsNotification(label);
    layout->addWidget(label);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    layout->addLayout(buttons);
    if (save)
        connect(addButton(message, buttons, "PrintingNoteSave", tr("Save as PDF...")),
                &QPushButton::clicked, this, save);
    if (closable)
        connect(addButton(message, buttons, "PrintingNoteClose", tr("Close")),
                &QPushButton::clicked, this, [this, number] { remove(number); });
    // Shown anew, the text reaches a reader as a new notification.
    label->hide();
    return message;
}

int PrintingNote::add(const QString &text, const std::function<void()> &save, bool closable)
{
    const int number = m_next++;
    QWidget *message = makeMessage(text, save, closable, number);
    m_messages.insert(number, message);
    m_list->addWidget(message);
    message->show();
    accessibility::setVisible(message->findChild<QLabel *>(), true);
    place();
    return number;
}

void PrintingNote::replace(int number, const QString &text, const std::function<void()> &save,
                           bool closable)
{
    QWidget *old = m_messages.value(number);
    if (old == nullptr)
        return;
    QWidget *message = makeMessage(text, save, closable, number);
    m_messages.insert(number, message);
    m_list->replaceWidget(old, message);
    message->show();
    old->hide();
    old->deleteLater();
    accessibility::setVisible(message->findChild<QLabel *>(), true);
    place();
}

void PrintingNote::remove(int number)
{
    QWidget *message = m_messages.take(number);
    if (message == nullptr)
        return;
    m_list->removeWidget(message);
    message->hide();
    message->deleteLater();
    if (m_messages.isEmpty())
        hide();
    else
        place();
}

// Closed as a whole, it is closed with all its messages.
void PrintingNote::closeEvent(QCloseEvent *event)
{
    for (QWidget *message : std::as_const(m_messages)) {
        m_list->removeWidget(message);
        message->deleteLater();
    }
    m_messages.clear();
    QFrame::closeEvent(event);
}

// Shown, or grown or shrunk in place with its messages, its lower right corner kept.
void PrintingNote::place()
{
    if (!isVisible())
        return showFor(parentWidget());
    const QPoint corner = geometry().bottomRight();
    m_list->activate();
    adjustSize();
    move(corner - QPoint(width() - 1, height() - 1));
    raise();
}
