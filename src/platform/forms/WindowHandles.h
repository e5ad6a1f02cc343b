#pragma once
// Window handles: a number for each window of the program, turned back into its widget
// by the calls that take a handle. A handle of a window that is gone finds nothing.
#include <cstdint>

class QWidget;

namespace platform {

void register_window(QWidget* widget);
void unregister_window(QWidget* widget);
std::intptr_t handle_of(const QWidget* widget);
QWidget* window_of_handle(std::intptr_t handle);

}
