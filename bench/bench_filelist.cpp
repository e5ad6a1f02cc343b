// How long the sign's file list takes to read a large picture folder, and to hand out one
// name. Folders of scratch files are made, read several times and removed; the disk cache
// is warm after the first read, so the figures are warm-cache figures.
#include "BenchSupport.h"

#include "platform/FileList.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string SignPattern = "*.bmp;*.wmf;*.emf;*.gif;*.jpg;*.jpeg";
constexpr int ReadRuns = 7;
constexpr int LookupPasses = 20;

// Mostly sign pictures in mixed case, one file in twenty something else.
std::string file_name(int number)
{
    static const char* const kinds[] = { ".bmp", ".jpg", ".BMP", ".JPG", ".gif" };
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", number);
    if (number % 20 == 19)
        return std::string("notes") + digits + ".txt";
    return std::string(number % 2 ? "Sign" : "sign") + digits + kinds[number % 5];
}

class ScratchFolder {
public:
    explicit ScratchFolder(int files)
    {
        std::string name = (fs::temp_directory_path() / "bench_filelist.XXXXXX").string();
        if (!::mkdtemp(name.data()))
            throw std::runtime_error("cannot make a scratch folder");
        m_path = name;
        for (int i = 0; i < files; ++i)
            std::ofstream(m_path / file_name(i));
    }
    ~ScratchFolder() { fs::remove_all(m_path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path() const { return m_path.string(); }

private:
    fs::path m_path;
};

// Times of reading the folder, after one read that warms the cache.
bench::Spread read_times(platform::FileList& list, const std::string& folder)
{
    list.set_path(folder);
    std::vector<double> times;
    for (int run = 0; run < ReadRuns; ++run) {
        const auto start = bench::Clock::now();
        list.set_path(folder);
        times.push_back(bench::ms_since(start));
    }
    return bench::spread(std::move(times));
}

double nanoseconds_per_lookup(const platform::FileList& list)
{
    std::size_t characters = 0; // used below, so that the lookups are not optimised away
    const auto start = bench::Clock::now();
    for (int pass = 0; pass < LookupPasses; ++pass) {
        for (int i = 0; i < list.list_count(); ++i)
            characters += list.list(i).size();
    }
    const double lookups = double(LookupPasses) * list.list_count();
    const double ns = bench::ms_since(start) * 1e6 / lookups;
    return characters == 0 ? 0.0 : ns;
}

void measure(int files)
{
    const ScratchFolder folder(files);
    platform::FileList list;
    list.set_pattern(SignPattern);
    const bench::Spread times = read_times(list, folder.path());
    std::printf("%8d %8d %12.1f %12.1f %14.1f\n", files, int(list.list_count()), times.best, times.median,
                nanoseconds_per_lookup(list));
}

}

int main()
{
    std::printf("file list: reading a sign folder (warm cache, best and median of %d reads)\n", ReadRuns);
    std::printf("%8s %8s %12s %12s %14s\n", "files", "kept", "best ms", "median ms", "ns per list(i)");
    for (const int files : { 30000, 40000 })
        measure(files);
}
