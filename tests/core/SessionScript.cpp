#include "SessionScript.h"

#include "core/events/KeyCodes.h"
#include "core/events/MouseButtons.h"

#include <QStringList>
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
        for (int i = 0; i < times; ++i)
            step(engine, name, now);
    }
}

} // namespace sessionscript
