#include "NavigatorFixture.h"

StandInMainWindow::StandInMainWindow(WindowNavigator &navigator) : m_navigator(&navigator)
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 480);
}
