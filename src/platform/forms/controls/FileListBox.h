#pragma once
// The hidden file list of a window: the names of the files of its folder that match its
// pattern, taken when the folder is set.
#include "platform/forms/Control.h"
#include "platform/system/FileList.h"

namespace platform {

class FileListBox : public Control {
public:
    struct Design {
        TwipsRect rect;
        std::string pattern { "*.*" };
        std::int16_t tab_index { 0 };
    };
    FileListBox(Container& container, std::string name, const Design& design);

    std::string path() const { return m_list.path(); }
    // Fails with run-time error 76 for a folder that does not exist; keeps the old list.
    void set_path(const std::string& path);
    const std::string& pattern() const { return m_list.pattern(); }
    std::int16_t list_count() const { return m_list.list_count(); }
    // "" outside 0..count-1.
    std::string list(int index) const { return m_list.list(index); }

    void Refresh() override { }

protected:
    void geometry_changed(const QRect&) override { }
    void visibility_changed() override { }

private:
    FileList m_list;
};

}
