#pragma once
// Small helpers shared by the benchmark programs: a clock, the spread of samples, and a
// scratch folder full of sign files.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double ms_since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Spread {
    double median;
    double p95;
    double best;
};

inline Spread spread(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) { return samples[static_cast<std::size_t>(q * (samples.size() - 1))]; };
    return { at(0.5), at(0.95), samples.front() };
}

// Mostly sign pictures in mixed case, one file in twenty something else.
inline std::string sign_folder_file(int number)
{
    static const char* const kinds[] = { ".bmp", ".jpg", ".BMP", ".JPG", ".gif" };
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", number);
    if (number % 20 == 19)
        return std::string("notes") + digits + ".txt";
    return std::string(number % 2 ? "Sign" : "sign") + digits + kinds[number % 5];
}

// A folder of that many empty files, removed at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(int files)
    {
        std::string name = (std::filesystem::temp_directory_path() / "bench_folder.XXXXXX").string();
        if (!::mkdtemp(name.data()))
            throw std::runtime_error("cannot make a scratch folder");
        m_path = name;
        for (int i = 0; i < files; ++i)
            std::ofstream(m_path / sign_folder_file(i));
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

}
