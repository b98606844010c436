#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

ModalDriver::ModalDriver(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start();
}

void ModalDriver::answerNextQuestion(QMessageBox::StandardButton button)
{
    m_answers.append(button);
}

void ModalDriver::clear()
{
    m_texts.clear();
    m_objectNames.clear();
    m_answers.clear();
}

QMessageBox::StandardButton ModalDriver::answerFor(const QMessageBox &box)
{
    if (box.button(QMessageBox::Yes) == nullptr)
        return QMessageBox::Ok;
    return m_answers.isEmpty() ? QMessageBox::No : m_answers.takeFirst();
}

void ModalDriver::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (box == nullptr || box == m_lastHandled || !box->isVisible())
        return;
    m_lastHandled = box;
    m_texts.append(box->text());
    m_objectNames.append(box->objectName());
    QAbstractButton *button = box->button(answerFor(*box));
    if (button != nullptr)
        QTest::mouseClick(button, Qt::LeftButton);
    else
        box->reject();
}
