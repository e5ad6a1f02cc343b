#include "platform/forms/controls/FileListBox.h"

#include "platform/system/Trace.h"

namespace platform {

FileListBox::FileListBox(Container& container, std::string name, const Design& design)
    : Control(container, std::move(name), design.rect)
{
    m_list.set_pattern(design.pattern);
    set_visible(false);
}

void FileListBox::set_path(const std::string& path)
{
    m_list.set_path(path);
    trace::record_property(display_name(), "Path", path);
}

}
