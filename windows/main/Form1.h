#pragma once

// The main window: the counter/timer of a cluttering assessment.
//
// Architecture: the window is thin. Its controls come from the layout table (Form1Layout) built
// onto the client area (Form1Surface); the counting rules live in SessionEngine, which writes back
// through Form1View. The window only routes events: presses on the client area, on the
// instructions text and on the buttons, keys on the start button and the ticks of Timer1 go to
// the engine's handlers of the same names, each with the time it happened (an input event's own
// timestamp, placed on Timer1's clock by EventClock; a tick's due time); SPACE comes with whether
// it is an auto-repeat, judged for the whole program by SpaceKey. A hold ends where a box or a menu
// blocks the window, since the release then goes there. File > Print, Save as PDF and Export data
// go to their commands with the program's report delivery; the commands that open or close other
// windows are signals, which the start-up connects: the window knows no other window.
//
// A recording opened with File > Open recording... (before a session starts) plays with the
// session: SPACE starts and pauses both, the session's clock follows the recording while it plays,
// and at its end the session pauses by itself there, the buttons held counted up to it.

#include "core/events/EventClock.h"
#include "core/events/RecordingClock.h"
#include "core/session/SessionEngine.h"
#include "media/RecordingPlayer.h"
#include "windows/main/Form1View.h"

#include <QHash>
#include <QMainWindow>

class DesignButton;
class DriftFreeTimer;
class Form1Surface;
class MonotonicClock;
class QAction;
class QMenu;
class ReportDelivery;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // `clock`, if given, stands for the system's monotonic clock (tests use a clock they move by
    // hand); it must outlive the window.
    explicit Form1(ReportDelivery &delivery, const MonotonicClock *clock = nullptr);
    ~Form1() override;

    const SessionEngine &engine() const { return m_engine; }
    DriftFreeTimer &timer() const { return *m_timer; }
    Form1Surface &surface() const { return *m_surface; }
    SessionPointer pointer() const { return m_view.pointer(); }
    Form1View &view() { return m_view; }
    QWidget *control(const QString &name) const { return m_controls.value(name); }
    RecordingPlayer &recording() { return m_recording; }

public slots:
    // SPACE and the middle button struck on the Timeline window, which passes them on: the same
    // as on this window's start button and background.
    void Timeline_SpaceDown(bool autoRepeat, quint64 timestamp);
    void Timeline_MiddleDown(quint64 timestamp);
    // The Timeline window's File > Open recording..., with its dialog over `window`.
    void Timeline_OpenRecording(QWidget *window);

signals:
    void ratingsRequested();
    void timelineRequested();
    void specificationsRequested();
    void aboutRequested();
    // File > Exit: the program closes this window and the information windows.
    void exitRequested();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void Form_MouseDown(int buttonCode, quint64 timestamp);
    void Form_MouseUp(int buttonCode, quint64 timestamp);
    void Instructions_MouseDown(int buttonCode, quint64 timestamp);
    void Command1_KeyDown(int keyCode, bool autoRepeat, quint64 timestamp);
    void Command2_Click(quint64 timestamp);
    void Timer1_Timer();
    void MnuFilPrint_Click();
    void MnuFilSavePdf_Click();
    void MnuFilExport_Click();
    void MnuFilExportTimeline_Click();
    void MnuFilOpenRecording_Click();
    void MnuFilExit_Click();
    void MnuPerceptualRatings_Click();
    void MnuTimeline_Click();
    void MnuAbtSpecifications_Click();
    void MnuAbtAbout_Click();
    void Recording_Open();
    void Recording_End(qint64 atMilliseconds);
    void Recording_Fail(const QString &reason, qint64 atMilliseconds);

private:
    Form1Surface *makeSurface();
    DriftFreeTimer *makeTimer();
    void connectRecording();
    void openRecording(QWidget *window);
    // A SPACE or middle button that would start: placed as it arrives where a recording leads.
    qint64 placeToggle(quint64 timestamp);
    // After the recording's end, a start only says so.
    bool refuseStart();
    void endRecordedRun(qint64 atMilliseconds);
    // The recording plays while the session runs and stands at the stopwatch while it does not.
    void followSession();
    void buildMenu();
    void connectControls();
    void fitCaptions();
    void focusStartButton();
    bool filterStartButtonKey(QEvent *event);

    SystemMonotonicClock m_systemClock;
    RecordingClock m_clock;
    ReportDelivery &m_delivery;
    Form1Surface *m_surface;
    QHash<QString, QWidget *> m_controls;
    DriftFreeTimer *m_timer;
    DesignButton *m_command1;
    EventClock m_eventClock;
    Form1View m_view;
    SessionEngine m_engine;
    RecordingPlayer m_recording;
    bool m_recordingEnded = false;
};
