#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

// Plays the user in front of modal message boxes and file dialogs: every box that comes up is
// recorded and answered with a mouse click on its OK button (the program asks no questions); a
// file dialog gets the next queued path typed in, key by key, and saved, or is cancelled when none
// is queued. Also reads the printing note and presses its buttons. Lets a test run a command that
// shows modal windows.
class ModalDriver : public QObject {
    Q_OBJECT

public:
    explicit ModalDriver(QObject *parent = nullptr);

    void saveNextFileAs(const QString &path) { m_paths.append(path); }
    // The paths the file dialogs proposed when they came up.
    QStringList proposedPaths() const { return m_proposedPaths; }

    // The printing note on screen, if any, its text, and a click on one of its buttons (by
    // object name; false when the note or the button is not shown).
    static QWidget *note();
    static QString noteText();
    static bool clickNoteButton(const char *name);
    // Closes every printing note still shown, as a user closes it.
    static void closeNotes();
    QStringList texts() const { return m_texts; }
    QStringList objectNames() const { return m_objectNames; }
    void clear();

private:
    void poll();
    void answer(QMessageBox *box);
    void answer(QFileDialog *dialog);

    QTimer m_timer;
    QPointer<QWidget> m_lastHandled;
    QStringList m_texts;
    QStringList m_objectNames;
    QStringList m_paths;
    QStringList m_proposedPaths;
};
