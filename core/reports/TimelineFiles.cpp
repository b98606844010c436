#include "core/reports/TimelineFiles.h"

#include "core/reports/CsvTable.h"
#include "core/session/SessionResults.h"

#include <QMap>
#include <QStringList>

#include <algorithm>

namespace {

using Channel = Timeline::Channel;
using Interval = Timeline::Interval;
using Status = Timeline::Status;

constexpr Channel channels[] = {Channel::Speech, Channel::Cluttering};

QString channelName(Channel channel)
{
    return channel == Channel::Speech ? QStringLiteral("speech") : QStringLiteral("cluttering");
}

QString statusName(Status status)
{
    switch (status) {
    case Status::Counted: return QStringLiteral("counted");
    case Status::Open: return QStringLiteral("open");
    case Status::Dropped: break;
    }
    return QStringLiteral("dropped");
}

// The intervals of `channel`, numbered from 1 by their start (the order they opened in).
QList<std::pair<int, Interval>> numbered(const Timeline &timeline, Channel channel)
{
    QList<std::pair<int, Interval>> found;
    for (const Interval &interval : timeline.intervals())
        if (interval.channel == channel)
            found.append({int(found.size()) + 1, interval});
    return found;
}

// Praat's quoted text: quotes doubled.
QByteArray quoted(const QString &text) { return '"' + text.toUtf8().replace('"', "\"\"") + '"'; }

QByteArray secondsText(qint32 ticks) { return TimelineFiles::seconds(ticks).toLatin1(); }

class TextGridWriter {
public:
    explicit TextGridWriter(qint32 length) : m_length(secondsText(length)) {}

    void intervalTier(const QString &name, const QList<std::tuple<qint32, qint32, QString>> &marks,
                      qint32 length)
    {
        // The stretches between the marks are empty intervals, so the tier covers the sample.
        QList<std::tuple<qint32, qint32, QString>> all;
        qint32 at = 0;
        for (const auto &[start, end, text] : marks) {
            if (start > at)
                all.append({at, start, QString()});
            all.append({start, end, text});
            at = end;
        }
        if (at < length || all.isEmpty())
            all.append({at, length, QString()});
        header("IntervalTier", name);
        line("        intervals: size = ", QByteArray::number(all.size()));
        for (qsizetype i = 0; i < all.size(); ++i) {
            const auto &[start, end, text] = all.at(i);
            line("        intervals [", QByteArray::number(i + 1) + "]:");
            line("            xmin = ", secondsText(start));
            line("            xmax = ", secondsText(end));
            line("            text = ", quoted(text));
        }
    }

    // One point per time: the texts of marks at one time joined.
    void pointTier(const QString &name, const QMap<qint32, QStringList> &points)
    {
        header("TextTier", name);
        line("        points: size = ", QByteArray::number(points.size()));
        int i = 0;
        for (auto point = points.cbegin(); point != points.cend(); ++point) {
            line("        points [", QByteArray::number(++i) + "]:");
            line("            number = ", secondsText(point.key()));
            line("            mark = ", quoted(point.value().join(QLatin1Char(','))));
        }
    }

    QByteArray text(int tiers) const
    {
        return "File type = \"ooTextFile\"\nObject class = \"TextGrid\"\n\nxmin = 0\nxmax = " +
               m_length + "\ntiers? <exists>\nsize = " + QByteArray::number(tiers) +
               "\nitem []:\n" + m_body;
    }

private:
    void header(const char *kind, const QString &name)
    {
        line("    item [", QByteArray::number(++m_tiers) + "]:");
        line("        class = ", quoted(QLatin1String(kind)));
        line("        name = ", quoted(name));
        line("        xmin = ", "0");
        line("        xmax = ", m_length);
    }
    void line(const char *start, const QByteArray &rest)
    {
        m_body += start;
        m_body += rest;
        m_body += '\n';
    }

    QByteArray m_length;
    QByteArray m_body;
    int m_tiers = 0;
};

} // namespace

QString TimelineFiles::seconds(qint32 ticks)
{
    constexpr int perSecond = SessionResults::TicksPerSecond;
    const QString whole = QString::number(ticks / perSecond);
    const int tenths = (ticks % perSecond) * (10 / perSecond);
    return tenths == 0 ? whole : whole + QLatin1Char('.') + QString::number(tenths);
}

QString TimelineFiles::label(const Interval &interval)
{
    const QString name = channelName(interval.channel);
    return interval.status == Status::Counted
               ? name
               : name + QLatin1Char(' ') + statusName(interval.status);
}

QByteArray TimelineFiles::write(Format format, const Timeline &timeline, qint32 sampleTicks,
                                const SessionRecording &recording)
{
    switch (format) {
    case Format::Csv: return csv(timeline, sampleTicks, recording);
    case Format::TextGrid: return textGrid(timeline, sampleTicks, recording);
    case Format::Labels: break;
    }
    return labels(timeline);
}

QByteArray TimelineFiles::csv(const Timeline &timeline, qint32 sampleTicks,
                              const SessionRecording &recording)
{
    // Rows by start; at one start the sample, then speech, cluttering and the pauses.
    struct Row {
        qint32 start;
        int order;
        QStringList fields;
    };
    QList<Row> rows;
    const auto row = [](const QString &channel, int number, qint32 start, qint32 end,
                        const QString &status) {
        return QStringList{channel,
                           QString::number(number),
                           seconds(start),
                           seconds(end),
                           seconds(end - start),
                           status,
                           QString(),
                           QString()};
    };
    rows.append({0, 0, row(QStringLiteral("sample"), 1, 0, sampleTicks, QString())});
    if (!recording.isEmpty()) {
        rows.front().fields[6] = recording.name;
        rows.front().fields[7] = recording.secondsText();
    }
    for (const Channel channel : channels)
        for (const auto &[number, interval] : numbered(timeline, channel))
            rows.append({interval.start, channel == Channel::Speech ? 1 : 2,
                         row(channelName(channel), number, interval.start, interval.end,
                             statusName(interval.status))});
    int pause = 0;
    for (const qint32 at : timeline.pauses())
        rows.append({at, 3, row(QStringLiteral("pause"), ++pause, at, at, QString())});
    std::stable_sort(rows.begin(), rows.end(), [](const Row &one, const Row &other) {
        return std::pair(one.start, one.order) < std::pair(other.start, other.order);
    });
    QByteArray text = CsvTable::line({"channel", "number", "start_s", "end_s", "duration_s",
                                      "status", "recording", "recording_s"});
    for (const Row &each : std::as_const(rows))
        text += CsvTable::line(each.fields);
    return text;
}

QByteArray TimelineFiles::textGrid(const Timeline &timeline, qint32 sampleTicks,
                                   const SessionRecording &recording)
{
    TextGridWriter grid(sampleTicks);
    QMap<qint32, QStringList> points[2];
    for (const Channel channel : channels) {
        QList<std::tuple<qint32, qint32, QString>> marks;
        for (const auto &[number, interval] : numbered(timeline, channel)) {
            if (interval.ticks() > 0)
                marks.append({interval.start, interval.end, label(interval)});
            else
                points[channel == Channel::Speech ? 0 : 1][interval.start].append(
                    interval.status == Status::Counted
                        ? QString::number(number)
                        : QString::number(number) + QLatin1Char(' ') + statusName(interval.status));
        }
        grid.intervalTier(channelName(channel), marks, sampleTicks);
    }
    grid.pointTier(QStringLiteral("speech-points"), points[0]);
    grid.pointTier(QStringLiteral("cluttering-points"), points[1]);
    QMap<qint32, QStringList> pauses;
    int pause = 0;
    for (const qint32 at : timeline.pauses())
        pauses[at].append(QString::number(++pause));
    grid.pointTier(QStringLiteral("pauses"), pauses);
    QMap<qint32, QStringList> named;
    if (!recording.isEmpty())
        named[0].append(recording.name + QLatin1Char(' ') + recording.secondsText() +
                        QStringLiteral(" s"));
    grid.pointTier(QStringLiteral("recording"), named);
    return grid.text(6);
}

QByteArray TimelineFiles::labels(const Timeline &timeline)
{
    QList<std::tuple<qint32, qint32, QString>> marks;
    for (const Interval &interval : timeline.intervals())
        marks.append({interval.start, interval.end, label(interval)});
    for (const qint32 at : timeline.pauses())
        marks.append({at, at, QStringLiteral("pause")});
    std::stable_sort(marks.begin(), marks.end(), [](const auto &one, const auto &other) {
        return std::get<0>(one) < std::get<0>(other);
    });
    QByteArray text;
    for (const auto &[start, end, name] : std::as_const(marks))
        text += (seconds(start) + QLatin1Char('\t') + seconds(end) + QLatin1Char('\t') + name +
                 QLatin1Char('\n'))
                    .toUtf8();
    return text;
}
