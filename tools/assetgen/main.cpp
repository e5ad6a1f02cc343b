// assetgen <output-dir>: draws every built-in picture and synthesises the sounds.
#include "Catalogue.h"

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

bool write_file(const std::filesystem::path& path, const assetgen::Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen <output-dir>\n");
        return 2;
    }
    // Text is drawn through the font database, which needs an application but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (const assetgen::Asset& asset : assetgen::all_assets()) {
        if (!write_file(dir / asset.file, asset.make())) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", (dir / asset.file).c_str());
            return 1;
        }
    }
    return 0;
}
