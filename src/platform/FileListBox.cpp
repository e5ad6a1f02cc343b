#include "platform/FileListBox.h"

namespace platform {

FileListBox::FileListBox(Container& container, std::string name, const Design& design)
    : Control(container, std::move(name), design.rect)
{
    m_list.set_pattern(design.pattern);
    set_visible(false);
}

}
