// The maker's library: ZubaradoHpURL gives the address of the maker's page as a malloc'ed,
// NUL-terminated code page 932 text that the caller frees. Unless the build names a web
// address, the page is the one shipped with the program, found from this library's own file.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>

namespace {

constexpr const char* ConfiguredAddress = BUS_MAKER_URL;

// Beside the library in the build tree, under share/ when installed (lib/qk31t0207/).
constexpr const char* PagePlaces[] = { "/maker-page/index.html", "/../../share/qk31t0207/maker-page/index.html" };

std::string folder_of_this_library()
{
    Dl_info info {};
    if (dladdr(reinterpret_cast<void*>(&folder_of_this_library), &info) == 0 || !info.dli_fname)
        return ".";
    const std::string file = info.dli_fname;
    const auto slash = file.rfind('/');
    return slash == std::string::npos ? "." : file.substr(0, slash);
}

// The first place that holds the page; the installed place when none does, so that the
// browser names what is missing.
std::string page_path()
{
    const std::string folder = folder_of_this_library();
    for (const char* place : PagePlaces) {
        char resolved[PATH_MAX];
        if (realpath((folder + place).c_str(), resolved))
            return resolved;
    }
    return folder + PagePlaces[1];
}

// Only unreserved characters and "/" stay as they are, so the address is plain ASCII,
// which code page 932 holds unchanged.
std::string file_url(const std::string& path)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char c : path) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || std::strchr("-._~/", c)) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += Hex[c >> 4];
            url += Hex[c & 0xF];
        }
    }
    return url;
}

char* malloced_copy(const std::string& text)
{
    auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy)
        std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

}

extern "C" __attribute__((visibility("default"))) char* ZubaradoHpURL(void)
{
    const std::string address = *ConfiguredAddress ? ConfiguredAddress : file_url(page_path());
    return malloced_copy(address);
}
