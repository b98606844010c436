#include "NavigatorFixture.h"

#include "startup/WindowNavigator.h"

StandInMainWindow::StandInMainWindow() : m_navigator(new WindowNavigator(this))
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 480);
}
