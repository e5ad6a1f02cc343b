#pragma once
// Each window test ends with no window of its own left behind: a menu, a message box, a dialog,
// or a window that was closed but never destroyed fails the test, by name. The program's own
// windows are then destroyed, so that the next test starts afresh.
#include "platform/forms/Forms.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <algorithm>

inline bool is_open_program_window(const QWidget* widget)
{
    const auto& open_slots = platform::form_slots();
    return std::any_of(open_slots.begin(), open_slots.end(),
                       [widget](const auto* slot) { return *slot && &(*slot)->surface() == widget; });
}

inline QString windows_left_behind()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(); // a closed window is destroyed once its handlers have returned
    QStringList left;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (!is_open_program_window(widget))
            left << QString("%1 \"%2\" (%3)").arg(widget->metaObject()->className(), widget->windowTitle(),
                                                  widget->objectName());
    }
    return left.join(", ");
}

// For cleanup(): fails the test that left a window behind, then destroys the program's windows.
#define VERIFY_NO_WINDOW_LEFT()                                                                       \
    do {                                                                                              \
        const QString left = windows_left_behind();                                                   \
        platform::destroy_all_forms();                                                                \
        QVERIFY2(left.isEmpty(), qPrintable("windows left behind: " + left));                         \
    } while (false)
