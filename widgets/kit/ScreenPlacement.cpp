#include "widgets/kit/ScreenPlacement.h"

#include "widgets/kit/Twips.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

namespace screenplacement {

QRect keptOn(QRect designed, QRect area)
{
    if (area.isEmpty())
        return designed;
    const int left = std::clamp(designed.left(), area.left(),
                                std::max(area.left(), area.right() + 1 - designed.width()));
    const int top = std::clamp(designed.top(), area.top(),
                               std::max(area.top(), area.bottom() + 1 - designed.height()));
    designed.moveTo(left, top);
    return designed;
}

QRect restoredGeometry(int leftTwips, int topTwips, int widthTwips, int heightTwips,
                       int menuBarHeight, QRect area)
{
    // The menu bar sits above the designed client area, inside the window.
    const QRect client = twips::rect(leftTwips, topTwips, widthTwips, heightTwips);
    return keptOn(client.adjusted(0, -menuBarHeight, 0, 0), area);
}

void restore(QMainWindow &window, int leftTwips, int topTwips, int widthTwips, int heightTwips)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const int menuBar = window.menuWidget() ? window.menuWidget()->sizeHint().height() : 0;
    window.setGeometry(
        restoredGeometry(leftTwips, topTwips, widthTwips, heightTwips, menuBar, area));
}

} // namespace screenplacement
