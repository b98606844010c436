#pragma once

#include <QMainWindow>

class QComboBox;
class QLabel;
class QPushButton;
class RecordingPlayer;
class Waveform;
class QScrollBar;
class QTableWidget;
class QTimer;
class ReportDelivery;
class SessionEngine;
class TimelineLanes;

// The Timeline window: the main window's session as it is marked, every interval at its time.
// Two lanes, speech and cluttering, with the pauses; beside them a table of the intervals
// (channel, number, start, end, duration) by start, which a reader reads row by row. Selecting a
// row shows its bar, and pressing a bar selects its row. It follows the session live, scrolling
// with it where a span of seconds is shown, and shows the whole sample or a span.
//
// SPACE and the middle button start and pause the session here as on the main window, so it does
// not matter which of the two has the keyboard; they are passed on as signals, which the start-up
// connects to the main window. No other key or button of this window changes the session.
// File > Export timeline... is the main window's command; File > Open recording... asks the main
// window to open one (signal); File > Open timeline... opens a timeline file in a comparison
// window as judge A, File > Compare... compares the paused session, as judge A, with a file;
// File > Close closes the window.
//
// With a recording open, it names it, with its length and where it stands, and draws its
// waveform under the lanes. While the session is paused, a double-click on a bar or a row, or
// Enter on a row, plays that interval of the recording, Play plays from where it stands, and
// Escape stops; none of this changes the session, and the next start goes back to the
// stopwatch's time.
class TimelineWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int refreshMilliseconds = 100;

    TimelineWindow(const SessionEngine &engine, RecordingPlayer &recording,
                   ReportDelivery &delivery, QWidget *parent = nullptr);

    TimelineLanes &lanes() const { return *m_lanes; }

signals:
    void spacePressed(bool autoRepeat, quint64 timestamp);
    void middlePressed(quint64 timestamp);
    void openRecordingRequested(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void MnuFilExportTimeline_Click();
    void MnuFilOpenRecording_Click();
    void MnuFilOpenTimeline_Click();
    void MnuFilCompare_Click();
    void TimelinePlay_Click();
    void TimelineInterval_Activate(int interval);
    void Recording_Open();
    void MnuFilClose_Click();
    void TimelineZoom_Change();
    void TimelineTable_SelectionChange();
    void TimelineLanes_Press(int interval);
    void TimelineScroll_Change();
    void Refresh_Timer();

private:
    void buildMenu();
    void buildControls();
    void refreshTable();
    void refreshView();
    qint32 span() const;
    void watch(QWidget *widget);
    void refreshRecording();
    bool filterKey(QEvent *event);

    const SessionEngine &m_engine;
    RecordingPlayer &m_recording;
    ReportDelivery &m_delivery;
    Waveform *m_waveform;
    QLabel *m_recordingLabel;
    QPushButton *m_play;
    TimelineLanes *m_lanes;
    QScrollBar *m_scroll;
    QComboBox *m_zoom;
    QTableWidget *m_table;
    QTimer *m_refresh;
    const void *m_shownRecord = nullptr; // the record the table shows (RESET starts a new one)
    qint32 m_shownSample = -1;
};
