#include "platform/forms/Form.h"
#include "platform/forms/WindowIcon.h"

#include "platform/forms/Forms.h"
#include "platform/forms/HandlerScope.h"
#include "platform/forms/Menu.h"
#include "platform/forms/MouseState.h"
#include "platform/forms/SurfaceWidget.h"
#include "platform/forms/WindowHandles.h"
#include "platform/forms/Windowed.h"
#include "platform/system/Trace.h"
#include "platform/x11/FrameExtents.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMouseEvent>
#include <QThread>
#include <algorithm>

namespace platform {

namespace {

bool g_ending = false;

std::vector<Form*>& forms_awaiting_deletion()
{
    static std::vector<Form*> list;
    return list;
}

Qt::WindowFlags flags_of(BorderStyle border)
{
    const Qt::WindowFlags decorations = Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    switch (border) {
    case BorderStyle::FixedToolWindow: return Qt::Tool | decorations;
    case BorderStyle::FixedDialog: return Qt::Dialog | decorations;
    case BorderStyle::FixedSingle: break;
    }
    return Qt::Window | decorations;
}

void delete_later(Form* form)
{
    forms_awaiting_deletion().push_back(form);
    QMetaObject::invokeMethod(
        qApp,
        [form] {
            auto& list = forms_awaiting_deletion();
            if (std::erase(list, form))
                delete form;
        },
        Qt::QueuedConnection);
}

}

std::vector<std::unique_ptr<Form>*>& form_slots()
{
    static std::vector<std::unique_ptr<Form>*> all;
    return all;
}

void destroy_all_forms()
{
    for (std::unique_ptr<Form>* slot : form_slots())
        slot->reset();
    for (Form* form : std::exchange(forms_awaiting_deletion(), {}))
        delete form;
    g_ending = false;
}

Form::Form(const std::string& name, const std::string& caption, BorderStyle border, float client_width, float client_height,
           OLE_COLOR back_color)
    : Container(new SurfaceWidget(nullptr), back_color)
{
    auto& window = static_cast<SurfaceWidget&>(surface());
    window.set_owner(this);
    window.setObjectName(QString::fromStdString(name));
    window.setWindowFlags(flags_of(border));
    window.setFixedSize(to_pixels(client_width), to_pixels(client_height));
    window.setWindowTitle(QString::fromStdString(caption));
    register_window(&window);
}

Form::~Form()
{
    unregister_window(&surface());
    delete &surface();
}

void Form::load() { HandlerScope::run(*this, [this] { Form_Load(); }); }

std::string Form::name() const { return surface().objectName().toStdString(); }

std::string Form::caption() const { return surface().windowTitle().toStdString(); }
void Form::set_caption(const std::string& caption) { surface().setWindowTitle(QString::fromStdString(caption)); }

void Form::set_icon(const std::string& asset_file)
{
    surface().setWindowIcon(window_icon(asset_file));
}

QMargins Form::frame_margins() const
{
    const QRect frame = surface().frameGeometry();
    const QRect client = surface().geometry();
    if (frame != client)
        return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                        frame.right() - client.right(), frame.bottom() - client.bottom());
    if (!m_frame_margins)
        m_frame_margins = std::make_unique<QMargins>(request_frame_extents(surface()));
    return *m_frame_margins;
}

float Form::left() const { return to_twips(surface().pos().x()); }
float Form::top() const { return to_twips(surface().pos().y()); }

float Form::width() const
{
    const QMargins margins = frame_margins();
    return to_twips(surface().width() + margins.left() + margins.right());
}

float Form::height() const
{
    const QMargins margins = frame_margins();
    return to_twips(surface().height() + margins.top() + margins.bottom());
}

void Form::set_left(float left)
{
    trace::record_property(name(), "Left", left);
    surface().move(to_pixels(left), surface().pos().y());
}

void Form::set_top(float top)
{
    trace::record_property(name(), "Top", top);
    surface().move(surface().pos().x(), to_pixels(top));
}

float Form::scale_width() const { return to_twips(surface().width()); }
float Form::scale_height() const { return to_twips(surface().height()); }

bool Form::visible() const { return surface().isVisible(); }

std::intptr_t Form::hWnd() const { return handle_of(&surface()); }

void Form::finish_design()
{
    auto& controls = m_windowed;
    std::stable_sort(controls.begin(), controls.end(),
                     [](auto* a, auto* b) { return a->tab_index() < b->tab_index(); });
    QWidget* previous = nullptr;
    for (WindowedControl* control : controls) {
        if (control->widget().focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, &control->widget());
        previous = &control->widget();
    }
}

void Form::add_windowed(WindowedControl& control) { m_windowed.push_back(&control); }

void Form::remove_windowed(WindowedControl& control) { std::erase(m_windowed, &control); }

void Form::focus_first_control()
{
    for (WindowedControl* control : m_windowed) {
        QWidget& widget = control->widget();
        if (widget.focusPolicy() != Qt::NoFocus && widget.isEnabled() && control->visible()) {
            widget.setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void Form::Show(ShowMode mode)
{
    if (mode == ShowMode::Modal)
        surface().setWindowModality(Qt::ApplicationModal);
    surface().show();
    surface().raise();
    surface().activateWindow();
    if (!std::exchange(m_shown_once, true))
        focus_first_control();
    if (mode != ShowMode::Modal)
        return;
    const HandlerScope keep(*this);
    QEventLoop loop;
    m_modal_loop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_modal_loop = nullptr;
}

void Form::Hide()
{
    surface().hide();
    if (m_modal_loop)
        m_modal_loop->quit();
}

void Form::hide_for_end()
{
    m_destroyed = true; // no close handling from here on
    Hide();
}

void Form::Unload()
{
    if (m_destroyed)
        return;
    std::int16_t cancel = 0;
    HandlerScope::run(*this, [this, &cancel] { Form_Unload(cancel); });
    if (cancel == 0 && !g_ending)
        destroy();
}

void Form::surface_close(QCloseEvent& event)
{
    event.ignore();
    Unload();
}

void Form::destroy()
{
    m_destroyed = true;
    Hide();
    if (!m_slot)
        return;
    Form* self = m_slot->release();
    m_slot = nullptr;
    if (m_holds == 0)
        delete_later(self);
}

void Form::release_hold()
{
    if (--m_holds == 0 && m_destroyed && !m_slot && !g_ending)
        delete_later(this);
}

void Form::bare_mouse(QMouseEvent& event)
{
    if (event.type() != QEvent::MouseButtonPress)
        return;
    HandlerScope::run(*this, [this, &event] {
        Form_MouseDown(mouse_button(event), shift_state(event), to_twips(event.position().x()),
                       to_twips(event.position().y()));
    });
}

void Form::PopupMenu(Menu& menu)
{
    const HandlerScope keep(*this);
    menu.popup_at_mouse();
}

void End()
{
    g_ending = true;
    for (std::unique_ptr<Form>* slot : form_slots()) {
        if (*slot)
            (*slot)->hide_for_end();
    }
    if (QThread::currentThread()->loopLevel() > 0) // with no loop running there is none to end
        QCoreApplication::exit(0);
}

}
