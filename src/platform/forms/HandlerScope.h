#pragma once
// Every entry from the window system into the program runs inside a handler scope. The scope
// keeps its window alive while the handler runs, and so does every window the handler reaches
// by name: a window closed meanwhile is hidden at once and destroyed after the last scope that
// holds it has ended. A run-time error that leaves a handler called by the window system (not
// one raised by the program's own code, which goes back to its caller) shows its text in a
// critical message box, then ends the program with status 1.
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

    // Keeps `form` alive until the innermost running scope has ended (no-op outside handlers).
    static void hold(Form& form);

private:
    bool called_by_window_system() const;

    std::vector<Form*> m_held;
    int m_loop_level;
};

// The end of the program after an error no handler caught. Tests put a recorder in its place;
// the real one hides every window without its close handling and exits with `status`.
using ProgramEnd = std::function<void(int status)>;
void set_program_end(ProgramEnd end);

}
