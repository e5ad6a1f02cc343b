#pragma once
// A picture box: a window of its own that shows its picture unscaled from the top-left,
// holds lightweight controls, takes the keyboard focus and gets mouse and key events.
// It has no border: its outer size is its picture area. Resize is raised once when it is
// first shown and then on each change of its Width or Height, never for a move alone.
#include "platform/forms/Container.h"
#include "platform/forms/Windowed.h"

#include <cstdint>
#include <functional>

namespace platform {

class PictureBox : public WindowedControl, public Container {
public:
    struct Design {
        TwipsRect rect;
        std::int16_t tab_index { 0 };
        OLE_COLOR back_color { vbButtonFace };
        bool visible { true };
        bool auto_size { false };
    };
    PictureBox(Container& container, std::string name, const Design& design);

    Form& form() override { return Control::form(); }

    bool auto_size() const { return m_auto_size; }
    void set_auto_size(bool auto_size);

    std::function<void()> on_click;
    std::function<void()> on_dbl_click;
    std::function<void(std::int16_t KeyCode, std::int16_t Shift)> on_key_down;
    std::function<void(std::int16_t Button, std::int16_t Shift, float X, float Y)> on_mouse_down;
    std::function<void(std::int16_t Button, std::int16_t Shift, float X, float Y)> on_mouse_move;
    std::function<void(std::int16_t Button, std::int16_t Shift, float X, float Y)> on_mouse_up;
    std::function<void()> on_resize;

protected:
    void bare_mouse(QMouseEvent& event) override;
    void surface_key(QKeyEvent& event) override;
    void surface_resized() override;
    void picture_changed() override;
    void geometry_changed(const QRect& old_pixels) override;

private:
    void fit_picture();

    bool is_second_click(const QMouseEvent& event) const;
    void note_click(const QMouseEvent& event);

    bool m_auto_size { false };
    float m_known_width;  // the size Resize was last raised for, or the design size
    float m_known_height;
    bool m_shown { false };
    bool m_in_double_click { false }; // from the second press to its release
    unsigned long m_last_click_time { 0 };
    int m_last_click_x { 0 };
    int m_last_click_y { 0 };
    bool m_has_last_click { false };
};

}
