#pragma once
// The program's windows, each reached by name: window<frmSet>(). The first use creates it,
// hidden, with its design values (and runs its Form_Load); after it has been closed, a use
// creates it afresh.
#include "platform/forms/Form.h"
#include "platform/forms/HandlerScope.h"

#include <memory>
#include <vector>

namespace platform {

std::vector<std::unique_ptr<Form>*>& form_slots();

template <class W>
std::unique_ptr<Form>& form_slot()
{
    // Never destroyed by exit(): a window must not outlive the window system's connection.
    static auto& slot = *new std::unique_ptr<Form>;
    static const bool registered = (form_slots().push_back(&slot), true);
    (void)registered;
    return slot;
}

template <class W>
W& window()
{
    std::unique_ptr<Form>& slot = form_slot<W>();
    if (!slot) {
        // The slot is filled before Form_Load runs, so the load handler can use its window.
        slot = std::make_unique<W>();
        slot->set_slot(&slot);
        slot->load();
    }
    HandlerScope::hold(*slot); // a reference given to a running handler keeps the window
    return static_cast<W&>(*slot);
}

// Whether the window exists now, without creating it.
template <class W>
bool window_exists()
{
    return form_slot<W>() != nullptr;
}

// Destroys every window still there: the last step of the program and of each test.
void destroy_all_forms();

}
