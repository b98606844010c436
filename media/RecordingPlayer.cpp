#include "media/RecordingPlayer.h"

#include "core/events/RecordingClock.h"
#include "media/MediaFramework.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace {
constexpr qint64 NanosecondsPerMillisecond = 1'000'000;
// How early before its length a recording may end and still count as whole.
constexpr qint64 EndToleranceMilliseconds = 200;

// Why `path` cannot even be handed to the framework, or empty.
QString unreadable(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("there is no such file");
    if (!info.isFile())
        return QStringLiteral("it is not a regular file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("it could not be read (%1)").arg(file.errorString());
    return {};
}
} // namespace

RecordingPlayer::RecordingPlayer(RecordingClock &clock, QObject *parent)
    : QObject(parent), m_clock(clock)
{
    m_listenWatch.setInterval(10);
    m_listenWatch.setTimerType(Qt::PreciseTimer);
    connect(&m_listenWatch, &QTimer::timeout, this, &RecordingPlayer::checkListening);
}

RecordingPlayer::~RecordingPlayer()
{
    if (m_running)
        m_clock.release();
}

QString RecordingPlayer::name() const { return QFileInfo(m_path).fileName(); }

qint64 RecordingPlayer::positionMilliseconds() const { return m_player ? m_player->position() : 0; }

SessionRecording RecordingPlayer::recording() const
{
    if (!m_player)
        return {};
    return {name(), m_length};
}

void RecordingPlayer::open(const QString &path)
{
    if (const QString reason = mediaframework::unavailable(); !reason.isEmpty()) {
        emit refused(reason);
        return;
    }
    if (const QString reason = unreadable(path); !reason.isEmpty()) {
        refuse(nullptr, path, reason);
        return;
    }
    delete m_candidate.data();
    auto *candidate = new QMediaPlayer(this);
    candidate->setAudioOutput(new QAudioOutput(candidate));
    m_candidate = candidate;
    connect(candidate, &QMediaPlayer::mediaStatusChanged, this,
            [this, candidate, path](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::LoadedMedia)
                    loaded(candidate, path);
            });
    connect(candidate, &QMediaPlayer::errorOccurred, this,
            [this, candidate, path](QMediaPlayer::Error, const QString &reason) {
                refuse(candidate, path, reason);
            });
    candidate->setSource(QUrl::fromLocalFile(path));
}

void RecordingPlayer::loaded(QMediaPlayer *candidate, const QString &path)
{
    if (!candidate->hasAudio())
        refuse(candidate, path, QStringLiteral("it has no sound track"));
    else if (candidate->duration() <= 0)
        refuse(candidate, path, QStringLiteral("its length cannot be read"));
    else
        adopt(candidate, path);
}

void RecordingPlayer::refuse(QMediaPlayer *candidate, const QString &path, const QString &reason)
{
    // The framework may say more than once why it failed; the first is told.
    if (candidate && candidate != m_candidate)
        return;
    if (candidate) {
        m_candidate = nullptr;
        candidate->deleteLater();
    }
    QString why = reason.trimmed();
    if (why.endsWith(QLatin1Char('.')))
        why.chop(1);
    QString message = QStringLiteral("The recording %1 cannot be played: %2.")
                          .arg(QFileInfo(path).fileName(), why);
    if (reason.contains(QLatin1String("type")) || reason.contains(QLatin1String("codec")))
        message += mediaframework::pluginHint(path);
    emit refused(message + QStringLiteral(" Nothing was changed."));
}

void RecordingPlayer::adopt(QMediaPlayer *candidate, const QString &path)
{
    m_candidate = nullptr;
    disconnect(candidate, nullptr, this, nullptr);
    stopListening();
    delete m_player;
    m_player = candidate;
    m_path = path;
    m_length = candidate->duration();
    m_toldNoDevice = false;
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) { statusChanged(status); });
    connect(m_player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString &reason) { errorOccurred(reason); });
    emit opened();
}

void RecordingPlayer::run(qint64 fromMilliseconds)
{
    if (!m_player || m_running)
        return;
    stopListening();
    if (m_player->position() != fromMilliseconds)
        m_player->setPosition(fromMilliseconds);
    m_running = true;
    m_clock.follow([player = m_player] { return player->position() * NanosecondsPerMillisecond; },
                   fromMilliseconds * NanosecondsPerMillisecond);
    m_player->play();
    if (!m_toldNoDevice && QMediaDevices::audioOutputs().isEmpty()) {
        m_toldNoDevice = true;
        emit told(QStringLiteral("No sound device was found, so the recording %1 plays unheard; "
                                 "the session still runs on its time.")
                      .arg(name()));
    }
}

void RecordingPlayer::stand(qint64 atMilliseconds)
{
    if (!m_player)
        return;
    if (m_running) {
        m_running = false;
        m_clock.release();
    }
    stopListening();
    m_player->pause();
    if (m_player->position() != atMilliseconds)
        m_player->setPosition(atMilliseconds);
}

void RecordingPlayer::listen(qint64 fromMilliseconds, qint64 toMilliseconds)
{
    if (!m_player || m_running)
        return;
    m_listenEnd = toMilliseconds < 0 ? m_length : toMilliseconds;
    m_player->setPosition(fromMilliseconds);
    m_player->play();
    m_listenWatch.start();
}

void RecordingPlayer::stopListening()
{
    if (!m_listenEnd)
        return;
    m_listenEnd.reset();
    m_listenWatch.stop();
    m_player->pause();
}

void RecordingPlayer::checkListening()
{
    if (m_listenEnd && m_player->position() >= *m_listenEnd)
        stopListening();
}

void RecordingPlayer::statusChanged(int status)
{
    if (status != QMediaPlayer::EndOfMedia)
        return;
    if (m_listenEnd) {
        stopListening();
        return;
    }
    if (!m_running)
        return;
    const qint64 at = m_player->position();
    if (at + EndToleranceMilliseconds >= m_length)
        emit ended(at);
    else
        emit failed(QStringLiteral("it ended at %1 s, before its length of %2 s: the file was cut "
                                   "short, or its disk went away")
                        .arg(double(at) / 1000, 0, 'f', 1)
                        .arg(double(m_length) / 1000, 0, 'f', 1),
                    at);
}

void RecordingPlayer::errorOccurred(const QString &reason)
{
    if (m_running)
        emit failed(reason.trimmed(), m_player->position());
}
