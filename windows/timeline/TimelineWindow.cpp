#include "windows/timeline/TimelineWindow.h"

#include "core/reports/TimelineFiles.h"
#include "core/session/SessionEngine.h"
#include "media/RecordingPlayer.h"
#include "media/Waveform.h"
#include "widgets/delivery/RecordCommands.h"
#include "widgets/delivery/ReportDelivery.h"
#include "windows/timeline/ComparisonWindow.h"
#include "windows/timeline/TimelineLanes.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The spans the window shows, in seconds; 0 the whole sample.
constexpr int zoomSeconds[] = {0, 10, 30, 60, 300};

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

// Milliseconds as the window shows them: "1:23.4", "12.4".
QString clockText(qint64 milliseconds)
{
    const qint64 tenths = milliseconds / 100;
    const QString seconds = QStringLiteral("%1.%2").arg(tenths / 10 % 60).arg(tenths % 10);
    if (tenths < 600)
        return seconds;
    return QStringLiteral("%1:%2").arg(tenths / 600).arg(seconds, 4, QLatin1Char('0'));
}

} // namespace

TimelineWindow::TimelineWindow(const SessionEngine &engine, RecordingPlayer &recording,
                               ReportDelivery &delivery, QWidget *parent)
    : QMainWindow(parent), m_engine(engine), m_recording(recording), m_delivery(delivery),
      m_waveform(new Waveform(this)), m_recordingLabel(new QLabel), m_play(new QPushButton),
      m_lanes(new TimelineLanes), m_scroll(new QScrollBar(Qt::Horizontal)), m_zoom(new QComboBox),
      m_table(new QTableWidget(0, 5)), m_refresh(new QTimer(this))
{
    setObjectName(QStringLiteral("frmTimeline"));
    setWindowTitle(tr("Tallymere - Timeline"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildMenu();
    buildControls();
    m_refresh->setInterval(refreshMilliseconds);
    connect(m_refresh, &QTimer::timeout, this, &TimelineWindow::Refresh_Timer);
    m_refresh->start();
    connect(&m_recording, &RecordingPlayer::opened, this, &TimelineWindow::Recording_Open);
    if (m_recording.isOpen())
        Recording_Open();
    Refresh_Timer();
    // Within 1024 x 768 with the window's frame, and within a smaller (or magnified) screen.
    resize(QSize(960, 440).boundedTo(screen()->availableGeometry().size() * 9 / 10));
}

void TimelineWindow::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("TimelineMenuBar"));
    QMenu *file = bar->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("MnuFilE"));
    QAction *exportTimeline = file->addAction(tr("Export &timeline..."), this,
                                              &TimelineWindow::MnuFilExportTimeline_Click);
    exportTimeline->setObjectName(QStringLiteral("MnuFilExportTimeline"));
    QAction *openRecording =
        file->addAction(tr("&Open recording..."), this, &TimelineWindow::MnuFilOpenRecording_Click);
    openRecording->setObjectName(QStringLiteral("MnuFilOpenRecording"));
    QAction *openTimeline =
        file->addAction(tr("Open t&imeline..."), this, &TimelineWindow::MnuFilOpenTimeline_Click);
    openTimeline->setObjectName(QStringLiteral("MnuFilOpenTimeline"));
    QAction *compare =
        file->addAction(tr("&Compare..."), this, &TimelineWindow::MnuFilCompare_Click);
    compare->setObjectName(QStringLiteral("MnuFilCompare"));
    file->addSeparator();
    QAction *close = file->addAction(tr("C&lose"), this, &TimelineWindow::MnuFilClose_Click);
    close->setObjectName(QStringLiteral("MnuFilClose"));
}

void TimelineWindow::buildControls()
{
    auto *central = new QWidget;
    auto *columns = new QHBoxLayout(central);
    auto *left = new QVBoxLayout;
    auto *zoomRow = new QHBoxLayout;
    auto *zoomLabel = new QLabel(tr("&Show:"));
    zoomLabel->setBuddy(m_zoom);
    m_zoom->setObjectName(QStringLiteral("TimelineZoom"));
    for (const int seconds : zoomSeconds)
        m_zoom->addItem(seconds == 0   ? tr("the whole sample")
                        : seconds < 60 ? tr("%1 seconds").arg(seconds)
                                       : tr("%1 minutes").arg(seconds / 60));
    connect(m_zoom, &QComboBox::currentIndexChanged, this, &TimelineWindow::TimelineZoom_Change);
    zoomRow->addWidget(zoomLabel);
    zoomRow->addWidget(m_zoom);
    zoomRow->addSpacing(12);
    m_recordingLabel->setObjectName(QStringLiteral("TimelineRecording"));
    zoomRow->addWidget(m_recordingLabel, 1);
    m_play->setObjectName(QStringLiteral("TimelinePlay"));
    m_play->setText(tr("&Play"));
    m_play->setToolTip(tr("Plays the recording from where it stands, while the session is "
                          "paused; Escape stops"));
    connect(m_play, &QPushButton::clicked, this, &TimelineWindow::TimelinePlay_Click);
    zoomRow->addWidget(m_play);
    left->addLayout(zoomRow);
    left->addWidget(m_lanes);
    m_scroll->setObjectName(QStringLiteral("TimelineScroll"));
    connect(m_scroll, &QScrollBar::valueChanged, this, &TimelineWindow::TimelineScroll_Change);
    left->addWidget(m_scroll);
    left->addStretch();
    connect(m_lanes, &TimelineLanes::intervalPressed, this, &TimelineWindow::TimelineLanes_Press);
    connect(m_lanes, &TimelineLanes::intervalActivated, this,
            &TimelineWindow::TimelineInterval_Activate);
    connect(m_waveform, &Waveform::grown, m_lanes, qOverload<>(&QWidget::update));

    m_table->setObjectName(QStringLiteral("TimelineTable"));
    m_table->setAccessibleName(tr("Intervals"));
    m_table->setHorizontalHeaderLabels(
        {tr("Channel"), tr("Number"), tr("Start (s)"), tr("End (s)"), tr("Duration (s)")});
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setMinimumWidth(260);
    // The lanes take the width the table does not need.
    m_table->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Expanding);
    m_lanes->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_table, &QTableWidget::itemSelectionChanged, this,
            &TimelineWindow::TimelineTable_SelectionChange);
    connect(m_table, &QTableWidget::cellDoubleClicked, this,
            [this](int row) { TimelineInterval_Activate(row); });
    columns->addLayout(left, 3);
    columns->addWidget(m_table, 2);
    setCentralWidget(central);
    for (QWidget *widget :
         {static_cast<QWidget *>(this), central, static_cast<QWidget *>(m_lanes),
          static_cast<QWidget *>(m_zoom), static_cast<QWidget *>(m_table), m_table->viewport(),
          static_cast<QWidget *>(m_scroll), static_cast<QWidget *>(m_play)})
        watch(widget);
}

void TimelineWindow::watch(QWidget *widget) { widget->installEventFilter(this); }

// SPACE and the middle button are the session's, wherever they land in the window.
bool TimelineWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        if (filterKey(event))
            return true;
        break;
    case QEvent::KeyRelease: return static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::MiddleButton)
            break;
        if (event->type() == QEvent::MouseButtonPress)
            emit middlePressed(mouse->timestamp());
        return true;
    }
    default: break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// SPACE goes to the session; Enter on a row plays its interval, Escape stops what plays.
bool TimelineWindow::filterKey(QEvent *event)
{
    auto *key = static_cast<QKeyEvent *>(event);
    const bool press = event->type() == QEvent::KeyPress;
    switch (key->key()) {
    case Qt::Key_Space:
        if (press)
            emit spacePressed(key->isAutoRepeat(), key->timestamp());
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_table->hasFocus() || m_table->currentRow() < 0)
            return false;
        if (press)
            TimelineInterval_Activate(m_table->currentRow());
        break;
    case Qt::Key_Escape:
        if (!m_recording.listening())
            return false;
        if (press)
            m_recording.stopListening();
        break;
    default: return false;
    }
    event->accept();
    return true;
}

void TimelineWindow::MnuFilExportTimeline_Click()
{
    recordcommands::exportTimeline(
        m_delivery, this, [this] { return m_engine.fields(); },
        [this] { return m_engine.timeline(); }, m_recording.recording());
}

void TimelineWindow::MnuFilOpenRecording_Click() { emit openRecordingRequested(this); }

void TimelineWindow::MnuFilOpenTimeline_Click()
{
    if (const std::optional<JudgedTimeline> a =
            ComparisonWindow::askTimeline(this, m_delivery, tr("Open the timeline of judge A")))
        (new ComparisonWindow(*a, m_delivery, this))->show();
}

// The session as it stands is judge A; it never changes while paused.
void TimelineWindow::MnuFilCompare_Click()
{
    const qint32 sample = m_engine.fields().sampleTicks.value_or(0);
    if (m_engine.isRunning() || sample == 0) {
        m_delivery.say(this, m_engine.isRunning()
                                 ? tr("Pause the session first: the comparison takes it as it "
                                      "stands.")
                                 : tr("The session has nothing marked yet to compare."));
        return;
    }
    const JudgedTimeline session = JudgedTimeline::fromTimeline(
        m_engine.timeline(), sample, m_recording.recording(), tr("the session"));
    const std::optional<JudgedTimeline> b =
        ComparisonWindow::askTimeline(this, m_delivery, tr("Compare with the timeline of judge B"));
    if (!b)
        return;
    auto *comparison = new ComparisonWindow(session, m_delivery, this);
    if (comparison->compareWith(*b))
        comparison->show();
    else
        comparison->deleteLater();
}

void TimelineWindow::Recording_Open()
{
    m_waveform->decode(m_recording.path());
    m_lanes->setWaveform(&m_waveform->peaks(), Waveform::binsPerSecond);
}

void TimelineWindow::TimelinePlay_Click()
{
    if (!m_engine.isRunning())
        m_recording.listen(m_recording.positionMilliseconds());
}

void TimelineWindow::TimelineInterval_Activate(int interval)
{
    const auto &intervals = m_engine.timeline().intervals();
    if (m_engine.isRunning() || interval < 0 || std::size_t(interval) >= intervals.size())
        return;
    const Timeline::Interval &chosen = intervals[std::size_t(interval)];
    m_recording.listen(qint64(chosen.start) * SessionEngine::TickMilliseconds,
                       qint64(chosen.end) * SessionEngine::TickMilliseconds);
}

void TimelineWindow::refreshRecording()
{
    m_play->setEnabled(m_recording.isOpen() && !m_engine.isRunning());
    if (!m_recording.isOpen()) {
        m_recordingLabel->setText(tr("No recording open"));
        m_lanes->setPlayhead(-1);
        return;
    }
    const qint64 at = m_recording.positionMilliseconds();
    m_recordingLabel->setText(
        tr("%1 (%2 s), at %3")
            .arg(m_recording.name(), m_recording.recording().secondsText(), clockText(at)));
    m_lanes->setPlayhead(at);
}

void TimelineWindow::MnuFilClose_Click() { close(); }

void TimelineWindow::TimelineZoom_Change() { refreshView(); }

void TimelineWindow::TimelineScroll_Change() { m_lanes->setView(m_scroll->value(), span()); }

void TimelineWindow::TimelineTable_SelectionChange()
{
    const QList<QTableWidgetItem *> chosen = m_table->selectedItems();
    const int row = chosen.isEmpty() ? -1 : chosen.first()->row();
    m_lanes->select(row);
    if (row < 0 || span() == 0)
        return;
    // The bar is brought into view.
    const Timeline::Interval &interval = m_engine.timeline().intervals()[std::size_t(row)];
    if (interval.start < m_scroll->value() || interval.end > m_scroll->value() + span())
        m_scroll->setValue(std::max(0, interval.start - span() / 4));
}

void TimelineWindow::TimelineLanes_Press(int interval)
{
    m_table->selectRow(interval);
    m_table->scrollToItem(m_table->item(interval, 0));
}

// The session may have ticked, marked, paused, been reset or replayed since the last look.
void TimelineWindow::Refresh_Timer()
{
    const qint32 sample = m_engine.fields().sampleTicks.value_or(0);
    m_lanes->setTimeline(m_engine.timeline(), sample);
    refreshTable();
    refreshRecording();
    if (sample != m_shownSample) {
        m_shownSample = sample;
        refreshView();
    }
}

void TimelineWindow::refreshTable()
{
    const Timeline &timeline = m_engine.timeline();
    const auto &intervals = timeline.intervals();
    if (&timeline != m_shownRecord || std::size_t(m_table->rowCount()) > intervals.size()) {
        m_table->setRowCount(0);
        m_shownRecord = &timeline;
    }
    // Only the open intervals and those of the last minute, which the engine may still place
    // anew, can have changed since the last look; the rows before them stay as they are.
    const qint32 recent =
        m_engine.fields().sampleTicks.value_or(0) -
        qint32(SessionEngine::HistoryNanoseconds / SessionEngine::TickNanoseconds);
    std::size_t from = std::min<std::size_t>(intervals.size(), std::size_t(m_table->rowCount()));
    while (from > 0 && intervals[from - 1].end >= recent)
        --from;
    for (const auto channel : {Timeline::Channel::Speech, Timeline::Channel::Cluttering})
        if (timeline.openAt(channel) >= 0)
            from = std::min(from, std::size_t(timeline.openAt(channel)));
    const int rows = m_table->rowCount();
    // Each channel's intervals before the first row looked at: the rows' numbers go on from there.
    int numbers[2] = {0, 0};
    for (std::size_t i = 0; i < from; ++i)
        ++numbers[intervals[i].channel == Timeline::Channel::Speech ? 0 : 1];
    for (std::size_t i = from; i < intervals.size(); ++i) {
        const Timeline::Interval &interval = intervals[i];
        const int number = ++numbers[interval.channel == Timeline::Channel::Speech ? 0 : 1];
        const int row = int(i);
        if (row < rows && m_table->item(row, 3)->text() == TimelineFiles::seconds(interval.end) &&
            m_table->item(row, 2)->text() == TimelineFiles::seconds(interval.start) &&
            m_table->item(row, 0)->text() == TimelineFiles::label(interval))
            continue;
        if (row >= m_table->rowCount())
            m_table->insertRow(row);
        m_table->setItem(row, 0, cell(TimelineFiles::label(interval)));
        m_table->setItem(row, 1, cell(QString::number(number)));
        m_table->setItem(row, 2, cell(TimelineFiles::seconds(interval.start)));
        m_table->setItem(row, 3, cell(TimelineFiles::seconds(interval.end)));
        m_table->setItem(row, 4, cell(TimelineFiles::seconds(interval.ticks())));
    }
}

qint32 TimelineWindow::span() const { return zoomSeconds[std::max(0, m_zoom->currentIndex())] * 5; }

// The whole sample, or a span that follows the session's end while it runs.
void TimelineWindow::refreshView()
{
    const qint32 shown = span();
    const qint32 sample = std::max(m_shownSample, 0);
    m_scroll->setVisible(shown > 0);
    if (shown == 0) {
        m_lanes->setView(0, 0);
        return;
    }
    const bool atEnd = m_scroll->value() >= m_scroll->maximum();
    m_scroll->setRange(0, std::max(0, sample - shown));
    m_scroll->setPageStep(shown);
    m_scroll->setSingleStep(std::max(1, shown / 10));
    if (atEnd || m_engine.isRunning())
        m_scroll->setValue(m_scroll->maximum());
    m_lanes->setView(m_scroll->value(), shown);
}
