#pragma once
// A control with a window of its own (picture box, button, scroll bar, text box...).
#include "platform/forms/Control.h"

#include <cstdint>
#include <memory>

class QWidget;
template <typename T> class QPointer;

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

private:
    // Owned by the container's surface, or by the control when it goes before its window.
    std::unique_ptr<QPointer<QWidget>> m_widget;
    std::int16_t m_tab_index;
};

}
