#pragma once
// Every entry from the window system into the program runs inside a handler scope, which holds
// windows as their life cycle in Forms.h says. A run-time error that leaves a handler called by
// the window system (not one raised by the program's own code, which goes back to its caller)
// shows its text in a critical message box, then ends the program with status 1.
#include "platform/system/Replaceable.h"

#include <functional>
#include <vector>

namespace platform {

class Form;

class HandlerScope {
public:
    explicit HandlerScope(Form& form);
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

    // Runs `body` in a scope of `form`, with the failure handling above.
    static void run(Form& form, const std::function<void()>& body);

    // Holds `form` in the innermost running scope (no-op outside handlers).
    static void hold(Form& form);

private:
    bool called_by_window_system() const;

    std::vector<Form*> m_held;
    int m_loop_level;
};

// The end of the program after an error no handler caught. Tests put a recorder in its place
// (Override<ProgramEnd>); the real one hides every window without its close handling and exits
// with `status`.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void end(int status) = 0;
};

template <>
ProgramEnd& Replaceable<ProgramEnd>::real();

}
