#pragma once

#include <QMainWindow>

class QComboBox;
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
// File > Export timeline... is the main window's command; File > Close closes the window.
class TimelineWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int refreshMilliseconds = 100;

    TimelineWindow(const SessionEngine &engine, ReportDelivery &delivery,
                   QWidget *parent = nullptr);

    TimelineLanes &lanes() const { return *m_lanes; }

signals:
    void spacePressed(bool autoRepeat, quint64 timestamp);
    void middlePressed(quint64 timestamp);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void MnuFilExportTimeline_Click();
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

    const SessionEngine &m_engine;
    ReportDelivery &m_delivery;
    TimelineLanes *m_lanes;
    QScrollBar *m_scroll;
    QComboBox *m_zoom;
    QTableWidget *m_table;
    QTimer *m_refresh;
    const void *m_shownRecord = nullptr; // the record the table shows (RESET starts a new one)
    qint32 m_shownSample = -1;
};
