#pragma once
// A control with a window of its own (picture box, button, scroll bar, text box...).
#include "platform/forms/Control.h"

#include <cstdint>
#include <memory>

class QObject;
class QWidget;

namespace platform {

class WindowedControl : public Control {
public:
    std::int16_t tab_index() const { return m_tab_index; }
    // The control's window handle, as SetWindowPos and the like take it.
    std::intptr_t hWnd() const;
    void SetFocus();
    void Refresh() override;

    QWidget& widget() const;

protected:
    WindowedControl(Container& container, std::string name, TwipsRect design, QWidget* widget,
                    std::int16_t tab_index);
    ~WindowedControl() override;

    void geometry_changed(const QRect& old_pixels) override;
    void visibility_changed() override;
    void enabled_changed() override;

    // The receiver of each connection the control makes to its window's signals, so that they
    // end with the control.
    QObject& receiver() const;

private:
    // The window belongs to the container's surface, its Qt parent, and may outlive the control
    // until that goes; the control only watches it.
    struct WindowWatch;
    std::unique_ptr<WindowWatch> m_window;
    std::int16_t m_tab_index;
};

}
