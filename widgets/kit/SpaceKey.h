#pragma once

#include "core/events/KeyRepeat.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QAbstractButton;
class QKeyEvent;

// SPACE for the whole program: one judgement of its auto-repeats, whichever window or box has the
// keyboard. A held SPACE comes as a stream of repeats (on X11 releases and presses of one stamp,
// on Wayland flagged by the toolkit), and the stream goes on when the focus moves: a box that
// closes on a repeat's release hands the paired press to the window under it. One tracker sees
// every SPACE the program gets, so that press is a repeat wherever it lands.
//
// On a button, SPACE clicks once the key is really up: a fresh press puts the button down, repeats
// do nothing, and a release clicks it when no repeat's press has followed it for a moment; a
// release that reaches any other control puts it up unclicked. A
// button that acts on the press instead (the main window's start button) is given every press,
// with whether it is a repeat, and is never clicked by SPACE. Other controls get SPACE as the
// toolkit sends it.
class SpaceKey : public QObject {
    Q_OBJECT
public:
    using PressHandler = std::function<void(bool repeat, quint64 timestamp)>;

    // The program's tracker, made and installed on the application at the first call.
    static SpaceKey &instance();

    // SPACE on `button` acts when pressed: `pressed` gets each press, fresh or repeated.
    void actOnPress(QAbstractButton *button, PressHandler pressed);
    // The key is up, and no button waits for it: what SPACE was doing is forgotten.
    void forget();

    // A release waits this long for a press of its own stamp, which makes it a repeat's.
    static constexpr int ReleaseSettleMilliseconds = 60;
    // Away from the program longer than this, the key's release may have gone to another
    // program: what it was doing is forgotten. A box closing passes the focus on much faster.
    static constexpr int AwayMilliseconds = 300;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit SpaceKey(QObject *parent);
    bool judgedRepeat(const QKeyEvent &key);
    bool onButton(QAbstractButton *button, const QKeyEvent &key, bool repeat);
    void applicationStateChanged(Qt::ApplicationState state);
    void clickIfStillDown();
    // Puts the button SPACE put down up again, unclicked.
    void raise();

    KeyRepeat m_repeat;
    QHash<const QObject *, PressHandler> m_pressHandlers;
    QPointer<QAbstractButton> m_down; // put down by a fresh SPACE, clicked when it is up
    QTimer m_settle;
    QElapsedTimer m_away;
    // The last event judged: one passed on to a parent is the same event, judged once.
    QEvent::Type m_lastType = QEvent::None;
    quint64 m_lastStamp = 0;
    bool m_lastRepeat = false;
};
