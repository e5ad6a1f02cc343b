#pragma once
// A window of the program. Its Left, Top, Width and Height are screen twips of the outer
// frame (title bar and borders included); its controls live on its client area.
#include "platform/forms/Container.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QEventLoop;
class QMargins;

namespace platform {

class Menu;
class WindowedControl;

enum class BorderStyle { FixedSingle, FixedToolWindow, FixedDialog };
enum class ShowMode { Modeless, Modal };

class Form : public Container {
public:
    ~Form() override;

    Form& form() override { return *this; }

    std::string name() const;
    std::string caption() const;
    void set_caption(const std::string& caption);
    void set_icon(const std::string& asset_file);

    float left() const;
    float top() const;
    float width() const;
    float height() const;
    void set_left(float left);
    void set_top(float top);
    float scale_width() const;
    float scale_height() const;

    bool visible() const;
    // Modal: runs the window's own event loop until it is hidden or unloaded.
    void Show(ShowMode mode = ShowMode::Modeless);
    void Hide();
    // Closes the window as the program asks for it (the life cycle is in Forms.h).
    void Unload();
    std::intptr_t hWnd() const;

    // Opens `menu` at the mouse; returns when it has closed and the chosen item has run.
    void PopupMenu(Menu& menu);

    // The holds of handler scopes.
    void add_hold() { ++m_holds; }
    void release_hold();

    // Hides the window without its close handling (the program is ending).
    void hide_for_end();

    void add_windowed(WindowedControl& control);
    void remove_windowed(WindowedControl& control);

protected:
    Form(const std::string& name, const std::string& caption, BorderStyle border, float client_width, float client_height,
         OLE_COLOR back_color);

    virtual void Form_Load() { }
    virtual void Form_Unload(std::int16_t& /*Cancel*/) { }
    virtual void Form_MouseDown(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/, float /*Y*/) { }

    // Called by each window's constructor when its controls exist.
    void finish_design();

    void bare_mouse(QMouseEvent& event) override;
    void surface_close(QCloseEvent& event) override;

private:
    template <class W> friend W& window();
    void set_slot(std::unique_ptr<Form>* slot) { m_slot = slot; }
    void load();
    void destroy();
    QMargins frame_margins() const;
    void focus_first_control();

    std::unique_ptr<Form>* m_slot { nullptr };
    QEventLoop* m_modal_loop { nullptr };
    int m_holds { 0 };
    bool m_destroyed { false };
    bool m_shown_once { false };
    std::vector<WindowedControl*> m_windowed; // in tab order once the design is finished
    mutable std::unique_ptr<QMargins> m_frame_margins; // asked of the window manager once
};

// Ends the program at once: the main event loop returns 0.
void End();

}
