#include "platform/system/LibraryFunction.h"

#include "platform/system/RegularFile.h"
#include "platform/system/RuntimeError.h"
#include "platform/system/System.h"
#include "platform/text/Iconv.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <memory>
#include <vector>

namespace platform {

namespace {

std::string last_dl_error()
{
    const char* description = dlerror();
    return description ? description : "unknown dynamic linker error";
}

class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::string& file) : m_handle(open(file)) { }
    ~LoadedLibrary() { dlclose(m_handle); }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    void* symbol(const std::string& name) const
    {
        dlerror();
        void* address = dlsym(m_handle, name.c_str());
        if (const char* description = dlerror())
            throw RuntimeError(err::DllEntryPointNotFound, description);
        return address;
    }

private:
    static void* open(const std::string& file)
    {
        // The program's own folder first, as a library loaded by name is looked for on the
        // program's home system, then the folders the dynamic linker searches for the program
        // (its run path among them). A file found that cannot be loaded is reported as it is,
        // not hidden behind a search elsewhere; nor is anything but a plain file opened (a pipe
        // would never answer).
        for (const std::string& folder : library_folders()) {
            const std::string path = folder + "/" + file;
            if (const auto refusal = refusal_before_opening(path)) {
                if (refusal->reason() == FileRefusal::Reason::SystemError)
                    continue;
                throw RuntimeError(err::DllLoadError, path + ": not a regular file");
            }
            if (void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
                return handle;
            throw RuntimeError(err::DllLoadError, last_dl_error());
        }
        // Not found there: the system's own search, and its own words when that fails too.
        if (void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL))
            return handle;
        throw RuntimeError(err::FileNotFound, last_dl_error());
    }

    // A relative folder (an empty entry is one) would be looked for in the working folder,
    // where anyone may have put a library.
    static void add_absolute(std::vector<std::string>& folders, const char* folder)
    {
        if (folder[0] == '/')
            folders.emplace_back(folder);
    }

    // The program's folder, then the dynamic linker's search path for the program itself,
    // asked of the linker rather than left to dlopen, which searches for whoever calls it (a
    // memory checker that wraps dlopen would search for itself).
    static std::vector<std::string> library_folders()
    {
        std::vector<std::string> folders { app_path() };
        void* program = dlopen(nullptr, RTLD_LAZY);
        Dl_serinfo size {};
        if (program && dlinfo(program, RTLD_DI_SERINFOSIZE, &size) == 0) {
            std::vector<std::max_align_t> storage(size.dls_size / sizeof(std::max_align_t) + 1);
            auto* info = reinterpret_cast<Dl_serinfo*>(storage.data());
            *info = size;
            if (dlinfo(program, RTLD_DI_SERINFO, info) == 0) {
                for (unsigned i = 0; i < info->dls_cnt; ++i)
                    add_absolute(folders, info->dls_serpath[i].dls_name);
            }
        }
        if (program)
            dlclose(program);
        return folders;
    }

    void* m_handle;
};

// glibc's "CP932" follows Windows' own table.
std::string from_cp932(const std::string& function, const char* text)
{
    Iconv converter("UTF-8", "CP932");
    Converted utf8 = converter.convert(text);
    if (!utf8.whole())
        throw RuntimeError(err::InvalidProcedureCall, function + ": " + std::strerror(utf8.error));
    return std::move(utf8.text);
}

}

std::string CallTextFunction(const std::string& library_file, const std::string& function)
{
    const LoadedLibrary library(library_file);
    using TextFunction = char* (*)();
    const auto call = reinterpret_cast<TextFunction>(library.symbol(function));
    const std::unique_ptr<char, decltype(&std::free)> text(call ? call() : nullptr, &std::free);
    if (!text)
        throw RuntimeError(err::InvalidProcedureCall, function + ": no text (a null pointer)");
    return from_cp932(function, text.get());
}

}
