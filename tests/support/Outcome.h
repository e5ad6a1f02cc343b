#pragma once
// What a request came to, as text a sequence can hold: "error N" when it fails with
// run-time error N, else what it returned ("taken" for a request that returns nothing).
#include "platform/system/RuntimeError.h"

#include <string>
#include <type_traits>

template <class Request>
std::string outcome(Request request)
{
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Request>>) {
            request();
            return "taken";
        } else {
            return request();
        }
    } catch (const platform::RuntimeError& error) {
        return "error " + std::to_string(error.number());
    }
}
