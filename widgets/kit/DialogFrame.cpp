#include "widgets/kit/DialogFrame.h"

#include "widgets/kit/ScreenPlacement.h"
#include "widgets/kit/Twips.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>

namespace dialogframe {

namespace {

// Moves a designed rectangle inside the available desktop area, keeping its size.
QRect keptOnScreen(QRect designed)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screenplacement::keptOn(designed, screen->availableGeometry()) : designed;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto length = static_cast<uint16_t>(qstrlen(name));
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    const xcb_atom_t result = reply->atom;
    free(reply);
    return result;
}

} // namespace

void apply(QWidget *window, int leftTwips, int topTwips, int widthTwips, int heightTwips)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // A dialog without a parent still counts as a window that keeps the program running.
    window->setAttribute(Qt::WA_QuitOnClose);
    // No icon of its own: a transparent one stops the application icon being inherited.
    QPixmap none(16, 16);
    none.fill(Qt::transparent);
    window->setWindowIcon(QIcon(none));
    const QRect client = keptOnScreen(twips::rect(leftTwips, topTwips, widthTwips, heightTwips));
    window->setFixedSize(client.size());
    window->setGeometry(client);
    skipTaskbar(window);
}

bool skipTaskbar(QWidget *window)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return false;
    xcb_connection_t *connection = x11->connection();
    // The window manager reads _NET_WM_STATE when the window is mapped; Qt merges its own
    // states with what is already there, so the hint is set on the native window before showing.
    const auto id = static_cast<xcb_window_t>(window->winId());
    const std::array<xcb_atom_t, 2> states = {atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                              atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    const xcb_atom_t property = atom(connection, "_NET_WM_STATE");
    if (property == XCB_ATOM_NONE || states[0] == XCB_ATOM_NONE)
        return false;
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, property, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(states.size()), states.data());
    xcb_flush(connection);
    return true;
}

} // namespace dialogframe
