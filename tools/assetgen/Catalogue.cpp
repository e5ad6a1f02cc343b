#include "Catalogue.h"

#include "Bitmaps.h"
#include "BusBody.h"
#include "DoorPictures.h"
#include "Faces.h"
#include "Icons.h"
#include "Sounds.h"
#include "Wave.h"

#include <QBuffer>

namespace assetgen {
namespace {

// Top rows of the door pictures on the body, so their livery band meets the body's.
constexpr int kDoorTop = 47;
constexpr int kFrontInnerTop = 52;

constexpr int kScales[] = {1, 2};
// The sizes desktops look for in the icon theme.
constexpr int kThemeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

Bytes door_air_wave() { return encode_wave(door_air_sound(), FactChunk::Omit); }
Bytes stop_chime_wave() { return encode_wave(stop_chime_sound(), FactChunk::Include); }

QImage front_door(int s) { return door_picture({73, 148}, {2, RubberEdge::Right, kDoorTop}, s); }
QImage middle_leaf_left(int s) { return door_picture({54, 149}, {2, RubberEdge::Right, kDoorTop}, s); }
QImage middle_leaf_right(int s) { return door_picture({52, 149}, {2, RubberEdge::Left, kDoorTop}, s); }
QImage front_inner(int s) { return door_picture({42, 137}, {1, RubberEdge::None, kFrontInnerTop}, s); }
QImage slide_leaf(int s) { return door_picture({76, 141}, {1, RubberEdge::Right, kDoorTop}, s); }
QImage slide_base(int s) { return doorway_picture({76, 142}, {1, {0.85}}, s); }
QImage switch_front(int s) { return switch_face_picture(QString::fromUtf8("前扉"), s); }
QImage switch_middle(int s) { return switch_face_picture(QString::fromUtf8("中扉"), s); }

struct Painted {
    const char* name;
    QImage (*draw)(int scale);
};

constexpr Painted kPictures[] = {
    {"bus_body", bus_body_picture},
    {"front_door", front_door},
    {"middle_leaf_left", middle_leaf_left},
    {"middle_leaf_right", middle_leaf_right},
    {"sign_blank", blank_sign_picture},
    {"slide_base", slide_base},
    {"slide_leaf", slide_leaf},
    {"front_inner", front_inner},
    {"switch_front", switch_front},
    {"switch_middle", switch_middle},
};

std::string scaled_name(const std::string& name, int scale, const char* extension)
{
    return name + (scale == 1 ? "" : "@" + std::to_string(scale) + "x") + extension;
}

Bytes encode_png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return Bytes(bytes.begin(), bytes.end());
}

void add_pixel_designs(std::vector<Asset>& assets)
{
    for (int scale : kScales) {
        assets.push_back({scaled_name("bus", scale, ".ico"), [scale] { return encode_icon(rasterise(bus_icon(), scale)); }});
        assets.push_back({scaled_name("hand", scale, ".cur"),
                          [scale] { return encode_cursor(rasterise(hand_cursor(), scale), kHandHotSpot * scale); }});
    }
    for (int size : kThemeIconSizes)
        assets.push_back({"bus_" + std::to_string(size) + ".png", [size] {
                              return encode_png(render(size == kIconGrid ? bus_icon() : bus_icon_large(), size));
                          }});
    assets.push_back({"bus.svg", [] {
                          const std::string svg = to_svg(bus_icon_large());
                          return Bytes(svg.begin(), svg.end());
                      }});
}

}

std::vector<Asset> all_assets()
{
    std::vector<Asset> assets;
    for (const Painted& picture : kPictures)
        for (int scale : kScales)
            assets.push_back({scaled_name(picture.name, scale, ".bmp"),
                              [draw = picture.draw, scale] { return encode_bmp24(draw(scale)); }});
    add_pixel_designs(assets);
    assets.push_back({"wave101.wav", door_air_wave});
    assets.push_back({"wave102.wav", stop_chime_wave});
    return assets;
}

}
