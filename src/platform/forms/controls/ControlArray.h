#pragma once
// Controls of one kind sharing a name and a handler, indexed by a 16-bit number; there may
// be gaps (an array may lack element 0).
#include "platform/system/RuntimeError.h"

#include <cstdint>
#include <map>
#include <memory>

namespace platform {

template <class T>
class ControlArray {
public:
    template <class... Args>
    T& add(std::int16_t index, Args&&... args)
    {
        auto& item = m_items[index];
        item = std::make_unique<T>(std::forward<Args>(args)...);
        item->set_index(index);
        return *item;
    }

    T& operator()(std::int16_t index) const
    {
        const auto found = m_items.find(index);
        if (found == m_items.end())
            throw RuntimeError(err::ControlArrayElementMissing, "Control array element doesn't exist");
        return *found->second;
    }

    bool contains(std::int16_t index) const { return m_items.contains(index); }
    std::size_t count() const { return m_items.size(); }

    template <class F>
    void for_each(F&& f) const
    {
        for (const auto& [index, item] : m_items)
            f(index, *item);
    }

private:
    std::map<std::int16_t, std::unique_ptr<T>> m_items;
};

}
