#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>

ModalDriver::ModalDriver(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start();
}

void ModalDriver::clear()
{
    m_texts.clear();
    m_objectNames.clear();
}

void ModalDriver::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == m_lastHandled || !modal->isVisible())
        return;
    m_lastHandled = modal;
    if (auto *box = qobject_cast<QMessageBox *>(modal))
        answer(box);
    else if (auto *dialog = qobject_cast<QFileDialog *>(modal))
        answer(dialog);
}

void ModalDriver::answer(QFileDialog *dialog)
{
    m_proposedPaths.append(dialog->selectedFiles().value(0));
    if (m_paths.isEmpty()) {
        QTest::keyClick(dialog, Qt::Key_Escape);
        return;
    }
    auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    auto *buttons = dialog->findChild<QDialogButtonBox *>();
    if (name == nullptr || buttons == nullptr) {
        dialog->reject();
        return;
    }
    // Typed over the suggested name, as a user does, with the keyboard in the name field.
    dialog->activateWindow();
    name->setFocus(Qt::OtherFocusReason);
    if (!QTest::qWaitFor([name] { return name->hasFocus(); }, 5000)) {
        dialog->reject();
        return;
    }
    name->selectAll();
    QTest::keyClicks(name, m_paths.takeFirst());
    const bool saving = dialog->acceptMode() == QFileDialog::AcceptSave;
    QTest::mouseClick(buttons->button(saving ? QDialogButtonBox::Save : QDialogButtonBox::Open),
                      Qt::LeftButton);
}

void ModalDriver::answer(QMessageBox *box)
{
    m_texts.append(box->text());
    m_objectNames.append(box->objectName());
    QAbstractButton *button = box->button(QMessageBox::Ok);
    if (button != nullptr)
        QTest::mouseClick(button, Qt::LeftButton);
    else
        box->reject();
}

QWidget *ModalDriver::note()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("PrintingNote") && window->isVisible())
            return window;
    return nullptr;
}

QStringList ModalDriver::noteTexts()
{
    QWidget *shown = note();
    if (shown == nullptr)
        return {};
    QList<QLabel *> labels = shown->findChildren<QLabel *>(QStringLiteral("PrintingNoteText"));
    labels.removeIf([shown](const QLabel *text) { return !text->isVisibleTo(shown); });
    // Top down, as they stand in the note.
    std::sort(labels.begin(), labels.end(), [shown](const QLabel *one, const QLabel *other) {
        return one->mapTo(shown, QPoint()).y() < other->mapTo(shown, QPoint()).y();
    });
    QStringList texts;
    for (const QLabel *text : std::as_const(labels))
        texts.append(text->text());
    return texts;
}

QString ModalDriver::noteText() { return noteTexts().value(noteTexts().size() - 1); }

bool ModalDriver::clickNoteButton(const char *name)
{
    QWidget *shown = note();
    const QList<QAbstractButton *> buttons =
        shown ? shown->findChildren<QAbstractButton *>(QLatin1String(name))
              : QList<QAbstractButton *>();
    for (auto button = buttons.crbegin(); button != buttons.crend(); ++button) {
        if ((*button)->isVisible()) {
            QTest::mouseClick(*button, Qt::LeftButton);
            return true;
        }
    }
    return false;
}

QString ModalDriver::saveThrough(QAction *command, const QString &path)
{
    const auto messages = [] {
        QWidget *shown = note();
        return shown ? shown->findChildren<QLabel *>(QStringLiteral("PrintingNoteText"))
                     : QList<QLabel *>();
    };
    const QList<QLabel *> before = messages();
    saveNextFileAs(path);
    command->trigger();
    QString told;
    const bool toldInTime = QTest::qWaitFor(
        [&] {
            for (const QLabel *text : messages())
                if (!before.contains(text) && text->isVisible())
                    told = text->text();
            return !told.isEmpty();
        },
        20000);
    return toldInTime ? told : QString();
}

void ModalDriver::closeNotes()
{
    while (QWidget *shown = note())
        shown->close();
}
