#pragma once
// The program's windows, each reached by name: window<frmSet>(). The life of a window:
//
// - Created by the first use of its name: hidden, with its design values, in its slot before
//   its Form_Load runs, so that the load handler can use its own window.
// - Held while a handler uses it: each handler scope (HandlerScope.h) holds the window it runs
//   for and every window its handler reaches by name, so a reference a handler got stays good.
// - Closed by Unload (the close button goes through it too, never Qt on its own): hidden at
//   once and out of its slot, so that the next use of its name creates it afresh; deleted from
//   the event loop once no scope holds it any more.
// - Destroyed at the end: End() hides every window without its close handling and deletes
//   none; destroy_all_forms() deletes every window left, the program's last step and each
//   test's. No slot is destroyed by exit(), as no window may outlive the window system.
#include "platform/forms/Form.h"
#include "platform/forms/HandlerScope.h"

#include <memory>
#include <vector>

namespace platform {

std::vector<std::unique_ptr<Form>*>& form_slots();

template <class W>
std::unique_ptr<Form>& form_slot()
{
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
        slot = std::make_unique<W>();
        slot->set_slot(&slot);
        slot->load();
    }
    HandlerScope::hold(*slot);
    return static_cast<W&>(*slot);
}

// Whether the window exists now, without creating it.
template <class W>
bool window_exists()
{
    return form_slot<W>() != nullptr;
}

void destroy_all_forms();

}
