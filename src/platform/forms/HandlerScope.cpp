#include "platform/forms/HandlerScope.h"

#include "platform/forms/Form.h"
#include "platform/forms/MsgBox.h"

#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace platform {

namespace {

std::vector<HandlerScope*>& running_scopes()
{
    static std::vector<HandlerScope*> scopes;
    return scopes;
}

class EndNow : public ProgramEnd {
public:
    void end(int status) override
    {
        End();
        std::cout.flush();
        std::fflush(nullptr);
        std::_Exit(status); // at once: no window's close handling, no further handler
    }
};

int event_loop_level() { return QThread::currentThread()->loopLevel(); }

void report_and_end(const std::string& text)
{
    MsgBox(text, vbCritical);
    Replaceable<ProgramEnd>::current().end(1);
}

}

template <>
ProgramEnd& Replaceable<ProgramEnd>::real()
{
    static EndNow end_now;
    return end_now;
}

HandlerScope::HandlerScope(Form& form) : m_loop_level(event_loop_level())
{
    running_scopes().push_back(this);
    hold(form);
}

HandlerScope::~HandlerScope()
{
    std::erase(running_scopes(), this);
    for (Form* form : m_held)
        form->release_hold();
}

void HandlerScope::hold(Form& form)
{
    auto& scopes = running_scopes();
    if (scopes.empty())
        return;
    auto& held = scopes.back()->m_held;
    if (std::find(held.begin(), held.end(), &form) != held.end())
        return;
    held.push_back(&form);
    form.add_hold();
}

// A handler raised by the program's own code runs at the event-loop level of the scope that
// called it; one that the window system dispatched runs in a loop of its own (or in none).
bool HandlerScope::called_by_window_system() const
{
    const auto& scopes = running_scopes();
    const auto self = std::find(scopes.begin(), scopes.end(), this);
    return self == scopes.begin() || (*(self - 1))->m_loop_level < m_loop_level;
}

void HandlerScope::run(Form& form, const std::function<void()>& body)
{
    HandlerScope scope(form);
    if (!scope.called_by_window_system()) {
        body(); // a failure goes back to the program code that raised the event
        return;
    }
    try {
        body();
    } catch (const std::exception& error) {
        report_and_end(error.what());
    } catch (...) {
        report_and_end("Unexpected error");
    }
}

}
