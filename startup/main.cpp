// Start-up: the application object with the program's own style and palette, its names, icon
// and font substitutes, then the main window, maximized. The program ends when its last window
// closes. "--compare" and "--help" run without a window, and need no display.

#include "assets/Assets.h"
#include "core/reports/CompareCommand.h"
#include "startup/WindowNavigator.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/FontSubstitutes.h"
#include "widgets/kit/SpaceKey.h"
#include "windows/main/Form1.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

namespace {

// A QApplication ends the program where there is no display; a comparison needs none.
int compare(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    QTextStream output(stdout);
    QTextStream error(stderr);
    return comparecommand::run(QCoreApplication::arguments().mid(1), output, error);
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (comparecommand::wanted(arguments))
        return compare(argc, argv);
    QApplication app(argc, argv);
    // Our own style and light palette, whatever the desktop's scheme.
    classiclook::apply();
    QApplication::setApplicationName(QStringLiteral("Tallymere"));
    // No display name is set: Qt would append it to every window title, and the main window's
    // caption must read exactly as designed. The display name falls back to the name above.
    QApplication::setApplicationVersion(QStringLiteral("2.02"));
    // Lets the desktop match the running windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tallymere"));
    QApplication::setWindowIcon(assets::applicationIcon());
    fonts::registerSubstitutes();
    // One judgement of SPACE's auto-repeats for every window and box of the program.
    SpaceKey::instance();

    WindowNavigator navigator;
    // The main window is unloaded, and destroyed, when it closes; the navigator's windows may
    // outlive it.
    auto *mainWindow = new Form1(navigator.delivery());
    navigator.connectMain(mainWindow);
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    mainWindow->show();
    return QApplication::exec();
}
