#include "Catalogue.h"

#include "Bitmaps.h"
#include "BusBody.h"
#include "DoorPictures.h"
#include "Faces.h"
#include "Icons.h"
#include "Sounds.h"
#include "Wave.h"

namespace assetgen {
namespace {

// Top rows of the door pictures on the body, so their livery band meets the body's.
constexpr int kDoorTop = 47;
constexpr int kFrontInnerTop = 52;

Bytes door_air_wave() { return encode_wave(door_air_sound(), FactChunk::Omit); }
Bytes stop_chime_wave() { return encode_wave(stop_chime_sound(), FactChunk::Include); }

Bytes bus_body() { return encode_bmp24(bus_body_picture()); }
Bytes front_door() { return encode_bmp24(door_picture({73, 148}, {2, RubberEdge::Right, kDoorTop})); }
Bytes middle_leaf_left() { return encode_bmp24(door_picture({54, 149}, {2, RubberEdge::Right, kDoorTop})); }
Bytes middle_leaf_right() { return encode_bmp24(door_picture({52, 149}, {2, RubberEdge::Left, kDoorTop})); }
Bytes front_inner() { return encode_bmp24(door_picture({42, 137}, {1, RubberEdge::None, kFrontInnerTop})); }
Bytes slide_leaf() { return encode_bmp24(door_picture({76, 141}, {1, RubberEdge::Right, kDoorTop})); }
Bytes slide_base() { return encode_bmp24(doorway_picture({76, 142}, {1, {0.85}})); }
Bytes sign_blank() { return encode_bmp24(blank_sign_picture()); }
Bytes switch_front() { return encode_bmp24(switch_face_picture(QString::fromUtf8("前扉"))); }
Bytes switch_middle() { return encode_bmp24(switch_face_picture(QString::fromUtf8("中扉"))); }
Bytes icon() { return encode_icon(bus_icon()); }
Bytes cursor() { return encode_cursor(hand_cursor(), kHandHotSpot); }

constexpr Asset kAssets[] = {
    {"bus_body.bmp", bus_body},
    {"front_door.bmp", front_door},
    {"middle_leaf_left.bmp", middle_leaf_left},
    {"middle_leaf_right.bmp", middle_leaf_right},
    {"sign_blank.bmp", sign_blank},
    {"slide_base.bmp", slide_base},
    {"slide_leaf.bmp", slide_leaf},
    {"front_inner.bmp", front_inner},
    {"switch_front.bmp", switch_front},
    {"switch_middle.bmp", switch_middle},
    {"bus.ico", icon},
    {"hand.cur", cursor},
    {"wave101.wav", door_air_wave},
    {"wave102.wav", stop_chime_wave},
};

}

std::span<const Asset> all_assets() { return kAssets; }

}
