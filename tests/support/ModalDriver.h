#pragma once

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

// Plays the user in front of modal message boxes and file dialogs: every box that comes up is
// recorded and answered with a mouse click on its OK button (the program asks no questions); a
// file dialog gets the next queued path typed in, key by key, and saved or opened, or is
// cancelled when none is queued. Also reads the printing note and presses its buttons. Lets a
// test run a command that shows modal windows.
class ModalDriver : public QObject {
    Q_OBJECT

public:
    explicit ModalDriver(QObject *parent = nullptr);

    void saveNextFileAs(const QString &path) { m_paths.append(path); }
    // The paths the file dialogs proposed when they came up.
    QStringList proposedPaths() const { return m_proposedPaths; }

    // The printing note on screen, if any, the texts of its messages (oldest first) and of its
    // newest, and a click on a button of the newest message that has one (by object name; false
    // when the note or the button is not shown).
    static QWidget *note();
    static QStringList noteTexts();
    static QString noteText();
    static bool clickNoteButton(const char *name);
    // Triggers a File menu's `command` that asks for a file, saves it as `path` and waits for the
    // outcome's new message in the note: its text, or nothing after 20 s.
    QString saveThrough(QAction *command, const QString &path);
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
