#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

// Plays the user in front of modal message boxes: every box that comes up is recorded and
// answered with a mouse click on a button, OK for a message and the next queued answer for a
// question (No when nothing is queued). Lets a test run a command that shows modal boxes.
class ModalDriver : public QObject {
    Q_OBJECT

public:
    explicit ModalDriver(QObject *parent = nullptr);

    void answerNextQuestion(QMessageBox::StandardButton button);
    QStringList texts() const { return m_texts; }
    QStringList objectNames() const { return m_objectNames; }
    int pendingAnswers() const { return static_cast<int>(m_answers.size()); }
    void clear();

private:
    void poll();
    QMessageBox::StandardButton answerFor(const QMessageBox &box);

    QTimer m_timer;
    QPointer<QWidget> m_lastHandled;
    QList<QMessageBox::StandardButton> m_answers;
    QStringList m_texts;
    QStringList m_objectNames;
};
