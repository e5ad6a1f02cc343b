// How long the sign's file list takes to read a large picture folder, and to hand out one
// name. Folders of scratch files are made, read several times and removed; the disk cache
// is warm after the first read, so the figures are warm-cache figures.
#include "BenchSupport.h"

#include "platform/system/FileList.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string SignPattern = "*.bmp;*.wmf;*.emf;*.gif;*.jpg;*.jpeg;*.png;*.webp;*.svg";
constexpr int ReadRuns = 7;
constexpr int LookupPasses = 20;

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
    const bench::ScratchFolder folder(files);
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
