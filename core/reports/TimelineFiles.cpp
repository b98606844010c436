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
QString quoted(QString text) { return QLatin1Char('"') + text.replace('"', "\"\"") + '"'; }

class TextGridWriter {
public:
    explicit TextGridWriter(qint32 length) : m_length(TimelineFiles::seconds(length)) {}

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
        header(QStringLiteral("IntervalTier"), name);
        line(8, QStringLiteral("intervals: size = %1").arg(all.size()));
        for (qsizetype i = 0; i < all.size(); ++i) {
            const auto &[start, end, text] = all.at(i);
            line(8, QStringLiteral("intervals [%1]:").arg(i + 1));
            line(12, QStringLiteral("xmin = ") + TimelineFiles::seconds(start));
            line(12, QStringLiteral("xmax = ") + TimelineFiles::seconds(end));
            line(12, QStringLiteral("text = ") + quoted(text));
        }
    }

    // One point per time: the texts of marks at one time joined.
    void pointTier(const QString &name, const QMap<qint32, QStringList> &points)
    {
        header(QStringLiteral("TextTier"), name);
        line(8, QStringLiteral("points: size = %1").arg(points.size()));
        int i = 0;
        for (auto point = points.cbegin(); point != points.cend(); ++point) {
            line(8, QStringLiteral("points [%1]:").arg(++i));
            line(12, QStringLiteral("number = ") + TimelineFiles::seconds(point.key()));
            line(12, QStringLiteral("mark = ") + quoted(point.value().join(QLatin1Char(','))));
        }
    }

    QByteArray text(int tiers) const
    {
        QString head = QStringLiteral("File type = \"ooTextFile\"\nObject class = \"TextGrid\"\n\n"
                                      "xmin = 0\nxmax = %1\ntiers? <exists>\nsize = %2\nitem []:\n")
                           .arg(m_length)
                           .arg(tiers);
        return (head + m_body).toUtf8();
    }

private:
    void header(const QString &kind, const QString &name)
    {
        line(4, QStringLiteral("item [%1]:").arg(++m_tiers));
        line(8, QStringLiteral("class = ") + quoted(kind));
        line(8, QStringLiteral("name = ") + quoted(name));
        line(8, QStringLiteral("xmin = 0"));
        line(8, QStringLiteral("xmax = ") + m_length);
    }
    void line(int indent, const QString &text)
    {
        m_body += QString(indent, QLatin1Char(' ')) + text + QLatin1Char('\n');
    }

    QString m_length;
    QString m_body;
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

QByteArray TimelineFiles::write(Format format, const Timeline &timeline, qint32 sampleTicks)
{
    switch (format) {
    case Format::Csv: return csv(timeline, sampleTicks);
    case Format::TextGrid: return textGrid(timeline, sampleTicks);
    case Format::Labels: break;
    }
    return labels(timeline);
}

QByteArray TimelineFiles::csv(const Timeline &timeline, qint32 sampleTicks)
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

QByteArray TimelineFiles::textGrid(const Timeline &timeline, qint32 sampleTicks)
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
    grid.pointTier(QStringLiteral("recording"), {});
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
