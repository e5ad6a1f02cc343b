#include "platform/x11/QtConnection.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

namespace platform {

// Looked up once for the application: each door frame asks for it.
xcb_connection_t* qt_connection()
{
    static const QGuiApplication* looked_up_for = nullptr;
    static xcb_connection_t* connection = nullptr;
    if (qGuiApp != looked_up_for) {
        auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        connection = x11 ? x11->connection() : nullptr;
        looked_up_for = qGuiApp;
    }
    return connection;
}

}
