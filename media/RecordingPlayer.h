#pragma once

#include "core/session/SessionRecording.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <optional>

class QAudioOutput;
class QMediaPlayer;
class RecordingClock;

// The speech sample's recording, played with the session: the session's clock follows it while
// the session runs (run()), and it stands at the stopwatch's time while the session is paused
// (stand()). A recording opens in a player of its own and replaces the one open only once it is
// known to play, so a file that cannot be played changes nothing. While the session is paused, a
// stretch of it can be heard again (listen()), which changes no time of the session.
class RecordingPlayer : public QObject {
    Q_OBJECT
public:
    // `clock`, the session's, must outlive the player.
    explicit RecordingPlayer(RecordingClock &clock, QObject *parent = nullptr);
    ~RecordingPlayer() override;

    // opened() once `path` is known to play, or refused() saying why.
    void open(const QString &path);
    bool isOpen() const { return m_player != nullptr; }
    QString path() const { return m_path; }
    QString name() const;
    qint64 lengthMilliseconds() const { return m_length; }
    qint64 positionMilliseconds() const;
    // The recording as a timeline names it; empty with none open.
    SessionRecording recording() const;

    // The session runs from the stopwatch's `fromMilliseconds`: the recording goes there and
    // plays, and the clock follows it.
    void run(qint64 fromMilliseconds);
    // The session is paused: the clock is released and the recording stands at the stopwatch.
    void stand(qint64 atMilliseconds);
    bool running() const { return m_running; }

    // While the session is paused: plays from `from` up to `to` (to the end if -1), then stops.
    void listen(qint64 fromMilliseconds, qint64 toMilliseconds = -1);
    void stopListening();
    bool listening() const { return m_listenEnd.has_value(); }

signals:
    void opened();
    void refused(const QString &message);
    // While running: the recording came to its end at `atMilliseconds`, or stopped being
    // readable there (`message` says how).
    void ended(qint64 atMilliseconds);
    void failed(const QString &message, qint64 atMilliseconds);
    // Once a run: no sound device, so the recording plays unheard.
    void told(const QString &message);

private:
    void loaded(QMediaPlayer *candidate, const QString &path);
    void refuse(QMediaPlayer *candidate, const QString &path, const QString &reason);
    void adopt(QMediaPlayer *candidate, const QString &path);
    void statusChanged(int status);
    void errorOccurred(const QString &reason);
    void checkListening();

    RecordingClock &m_clock;
    QMediaPlayer *m_player = nullptr;
    QPointer<QMediaPlayer> m_candidate;
    QString m_path;
    qint64 m_length = 0;
    bool m_running = false;
    bool m_toldNoDevice = false;
    std::optional<qint64> m_listenEnd;
    QTimer m_listenWatch;
};
