#include "reports/PrintingNote.h"

#include "common/MessageBox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

PrintingNote::PrintingNote(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowDoesNotAcceptFocus),
      m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("PrintingNote"));
    setWindowTitle(QString::fromLatin1(messagebox::title) + QStringLiteral(" - ") + tr("Printing"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    m_label->setObjectName(QStringLiteral("PrintingNoteText"));
    m_label->setMargin(12);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    refresh();
}

void PrintingNote::showFor(QWidget *owner)
{
    adjustSize();
    const QRect area = owner != nullptr ? owner->window()->frameGeometry()
                                        : QGuiApplication::primaryScreen()->availableGeometry();
    move(area.center().x() - width() / 2, area.top() + area.height() / 5);
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

void PrintingNote::refresh()
{
    QString text = m_printer.isEmpty()
                       ? tr("Sending the report to the default printer...")
                       : tr("Sending the report to the printer \"%1\"...").arg(m_printer);
    if (m_alreadySending)
        text += QLatin1Char('\n') + tr("Only one report is sent at a time; print the other one "
                                       "when this one has gone.");
    m_label->setText(text);
    m_label->setAccessibleName(text);
    adjustSize();
}
