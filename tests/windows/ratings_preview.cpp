// Opens the rating window on its own, for looking at it under a real X server. After a second it
// prints each bar's top-left corner in screen coordinates ("<bar> <x> <y>"), so a script can press
// the bars with real X events; with --hide-after <ms> it chooses Hide after that delay.
#include "core/ratings/RatingFields.h"
#include "core/ratings/ScaleTable.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/FontSubstitutes.h"
#include "windows/ratings/CluttteringScalesForm.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    classiclook::apply();
    fonts::registerSubstitutes();
    RatingFields fields;
    ReportDelivery delivery;
    CluttteringScalesForm *window = CluttteringScalesForm::open(fields, delivery);

    QTimer::singleShot(1000, window, [window] {
        for (const ScaleRow &row : ScaleTable::rows()) {
            const QPoint corner =
                window->findChild<QWidget *>(row.barName)->mapToGlobal(QPoint(0, 0));
            std::printf("%s %d %d\n", row.barName, corner.x(), corner.y());
        }
        std::fflush(stdout);
    });
    const QStringList args = QApplication::arguments();
    const qsizetype hide = args.indexOf(QStringLiteral("--hide-after"));
    if (hide > 0 && hide + 1 < args.size()) {
        QTimer::singleShot(args[hide + 1].toInt(), window, [window] {
            window->findChild<QAction *>(QStringLiteral("MnuHideNumbersHide"))->trigger();
        });
    }
    return QApplication::exec();
}
