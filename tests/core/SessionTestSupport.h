#pragma once

#include "RecordingView.h"
#include "SessionScript.h"
#include "core/session/SessionEngine.h"

#include <QMetaType>
#include <QString>

Q_DECLARE_METATYPE(SessionControl)

// A loaded engine over a recording view, the way the main window holds it.
struct LoadedSession {
    RecordingView view;
    SessionEngine engine{view, RecordingView::design()};

    explicit LoadedSession(const QString &script = QString())
    {
        engine.Form_Load();
        sessionscript::run(engine, script, now);
    }
    void run(const QString &script) { sessionscript::run(engine, script, now); }

    qint64 now = 0;
};

// The seven fields in one line, "-" for an unset one: s sample, t talk, c clutter ticks,
// tn talk count, cn clutter count, td talk held, cd clutter held.
inline QString describe(const SessionFields &f)
{
    const auto opt = [](const auto &value) {
        return value ? QString::number(*value) : QStringLiteral("-");
    };
    const QString talkDown = f.talkDown ? QString::number(int(*f.talkDown)) : QStringLiteral("-");
    return QStringLiteral("s=%1 t=%2 c=%3 tn=%4 cn=%5 td=%6 cd=%7")
        .arg(opt(f.sampleTicks), opt(f.talkTicks), QString::number(f.clutterTicks),
             opt(f.talkCount), QString::number(f.clutterCount), talkDown,
             QString::number(f.clutterDown));
}

inline QString describe(Rgb c) { return QStringLiteral("(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b); }
