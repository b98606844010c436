#include "SessionScript.h"

#include "core/events/KeyCodes.h"
#include "core/events/MouseButtons.h"

#include <QStringList>
#include <QTest>
#include <stdexcept>

namespace sessionscript {

namespace {

void step(SessionEngine &engine, const QString &name, qint64 &now)
{
    const qint64 at = now;
    if (name == QLatin1String("S"))
        engine.Command1_KeyDown(keycodes::Space, false, at);
    else if (name == QLatin1String("A"))
        engine.Command1_KeyDown(keycodes::Space, true, at);
    else if (name == QLatin1String("K"))
        engine.Command1_KeyDown(65, false, at);
    else if (name == QLatin1String("M"))
        engine.Form_MouseDown(mousebuttons::Middle, at);
    else if (name == QLatin1String("m"))
        engine.Form_MouseUp(mousebuttons::Middle, at);
    else if (name == QLatin1String("I"))
        engine.Instructions_MouseDown(mousebuttons::Middle, at);
    else if (name == QLatin1String("i"))
        engine.Instructions_MouseDown(mousebuttons::Left, at);
    else if (name == QLatin1String("L"))
        engine.Form_MouseDown(mousebuttons::Left, at);
    else if (name == QLatin1String("l"))
        engine.Form_MouseUp(mousebuttons::Left, at);
    else if (name == QLatin1String("R"))
        engine.Form_MouseDown(mousebuttons::Right, at);
    else if (name == QLatin1String("r"))
        engine.Form_MouseUp(mousebuttons::Right, at);
    else if (name == QLatin1String("t"))
        engine.Timer1_Timer(now += SessionEngine::TickNanoseconds);
    else if (name == QLatin1String("X"))
        engine.Command2_Click(at);
    else if (name.startsWith(QLatin1Char('D')))
        engine.Form_MouseDown(name.mid(1).toInt(), at);
    else if (name.startsWith(QLatin1Char('U')))
        engine.Form_MouseUp(name.mid(1).toInt(), at);
    else
        throw std::invalid_argument("unknown script step: " + name.toStdString());
}

} // namespace

void run(SessionEngine &engine, const QString &script, qint64 &now)
{
    const QStringList steps = script.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &token : steps) {
        const qsizetype star = token.indexOf(QLatin1Char('*'));
        const QString name = star < 0 ? token : token.left(star);
        const int times = star < 0 ? 1 : token.mid(star + 1).toInt();
        for (int i = 0; i < times; ++i) {
            step(engine, name, now);
            const QString why = disagreement(engine);
            if (!why.isEmpty())
                QTest::qFail(qPrintable(token + QStringLiteral(": ") + why), __FILE__, __LINE__);
        }
    }
}

QString disagreement(const SessionEngine &engine)
{
    using Channel = Timeline::Channel;
    qint64 ticks[2] = {0, 0};
    qint64 counted[2] = {0, 0};
    int open[2] = {0, 0};
    for (const Timeline::Interval &interval : engine.timeline().intervals()) {
        const int channel = interval.channel == Channel::Speech ? 0 : 1;
        if (interval.end < interval.start)
            return QStringLiteral("an interval ends before it starts");
        ticks[channel] += interval.ticks();
        counted[channel] += interval.status == Timeline::Status::Counted ? 1 : 0;
        open[channel] += interval.status == Timeline::Status::Open ? 1 : 0;
    }
    const SessionFields &f = engine.fields();
    const bool clutterHeld = f.clutterDown != 0;
    const qint64 expected[2][3] = {{f.talkTicks.value_or(0), f.talkCount.value_or(0),
                                    f.talkDown.value_or(false) || clutterHeld},
                                   {f.clutterTicks, f.clutterCount, clutterHeld}};
    const char *names[2] = {"speech", "cluttering"};
    for (int channel = 0; channel < 2; ++channel) {
        const qint64 found[3] = {ticks[channel], counted[channel], open[channel]};
        if (found[0] != expected[channel][0] || found[1] != expected[channel][1] ||
            found[2] != expected[channel][2])
            return QStringLiteral("%1: %2 ticks, %3 counted, %4 open; the counters say %5, %6, %7")
                .arg(QLatin1String(names[channel]))
                .arg(found[0])
                .arg(found[1])
                .arg(found[2])
                .arg(expected[channel][0])
                .arg(expected[channel][1])
                .arg(expected[channel][2]);
    }
    return {};
}

} // namespace sessionscript
