#include "platform/forms/WindowHandles.h"

#include <QWidget>
#include <unordered_set>

namespace platform {

namespace {
std::unordered_set<const QWidget*>& windows()
{
    static std::unordered_set<const QWidget*> set;
    return set;
}
}

void register_window(QWidget* widget) { windows().insert(widget); }
void unregister_window(QWidget* widget) { windows().erase(widget); }

std::intptr_t handle_of(const QWidget* widget) { return reinterpret_cast<std::intptr_t>(widget); }

QWidget* window_of_handle(std::intptr_t handle)
{
    const auto* widget = reinterpret_cast<const QWidget*>(handle);
    return windows().contains(widget) ? const_cast<QWidget*>(widget) : nullptr;
}

}
