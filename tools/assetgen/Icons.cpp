#include "Icons.h"

#include <array>
#include <string_view>

namespace assetgen {
namespace {

// Palette slots of the icon.
enum Ink : int {
    Black, DarkGrey, MidGrey, LightGrey, White, Cream, CreamShade, Teal,
    DarkTeal, GlassDark, GlassLight, Orange, Lamp, Red, Yellow, GlassMid
};

const std::vector<QRgb> kIconPalette = {
    qRgb(0x00, 0x00, 0x00), qRgb(0x2a, 0x2d, 0x31), qRgb(0x5a, 0x61, 0x68), qRgb(0xa7, 0xad, 0xb2),
    qRgb(0xff, 0xff, 0xff), qRgb(0xf4, 0xf0, 0xe4), qRgb(0xd4, 0xcb, 0xb4), qRgb(0x17, 0x7e, 0x89),
    qRgb(0x0f, 0x5e, 0x67), qRgb(0x26, 0x36, 0x44), qRgb(0x7c, 0x98, 0xae), qRgb(0xf2, 0x9e, 0x38),
    qRgb(0xff, 0xe9, 0xa8), qRgb(0xc8, 0x35, 0x2e), qRgb(0xe8, 0xc4, 0x3a), qRgb(0x3f, 0x56, 0x68)};

void draw_icon_body(IconDesign& c)
{
    // Outline, then the cream shell with its rounded roof corners.
    c.fill(6, 2, 25, 2, DarkGrey);
    c.fill(4, 3, 27, 3, DarkGrey);
    c.fill(3, 4, 28, 28, DarkGrey);
    c.fill(6, 3, 25, 3, Cream);
    c.fill(5, 4, 26, 4, Cream);
    c.fill(4, 5, 27, 27, Cream);
    c.fill(26, 5, 27, 24, CreamShade);
    c.fill(10, 1, 21, 1, LightGrey); // roof unit
    // Destination sign with a glowing line of text.
    c.fill(7, 5, 24, 8, Black);
    for (int x = 9; x <= 22; x += 2)
        c.fill(x, 6, x, 7, Orange);
}

void draw_icon_windscreen(IconDesign& c)
{
    c.fill(5, 10, 26, 19, GlassDark);
    c.fill(5, 14, 26, 19, GlassMid);
    for (int i = 0; i < 6; ++i) // the sky's reflection across both panes
        c.fill(8 + i, 10 + i, 9 + i, 10 + i, GlassLight);
    c.fill(20, 15, 21, 15, GlassLight);
    c.fill(19, 16, 20, 16, GlassLight);
    c.fill(15, 10, 16, 19, DarkGrey); // centre pillar
    c.fill(5, 9, 26, 9, DarkGrey);
}

void draw_icon_front(IconDesign& c)
{
    c.fill(4, 21, 27, 21, Orange);
    c.fill(4, 22, 27, 23, Teal);
    c.fill(4, 23, 27, 23, DarkTeal);
    c.fill(5, 24, 8, 25, MidGrey);
    c.fill(6, 24, 7, 25, Lamp);
    c.fill(23, 24, 26, 25, MidGrey);
    c.fill(24, 24, 25, 25, Lamp);
    c.fill(12, 24, 19, 25, White);
    c.fill(12, 24, 19, 24, LightGrey);
    c.fill(4, 26, 27, 28, DarkGrey);
    c.fill(4, 26, 27, 26, MidGrey);
    c.dot(4, 20, Red);
    c.dot(27, 20, Red);
    // Tyres under the bumper and the mirrors on their arms.
    c.fill(5, 29, 9, 30, Black);
    c.fill(22, 29, 26, 30, Black);
    c.fill(1, 4, 3, 4, DarkGrey);
    c.fill(28, 4, 30, 4, DarkGrey);
    c.fill(0, 5, 1, 12, DarkGrey);
    c.fill(30, 5, 31, 12, DarkGrey);
    c.fill(1, 6, 1, 11, GlassLight);
    c.fill(30, 6, 30, 11, GlassLight);
}

constexpr int kLargeGrid = 64;

void draw_large_body(IconDesign& c)
{
    for (double x : {0.0, 59.0}) { // mirrors on their arms
        c.rounded(x + (x == 0.0 ? 2.0 : -3.0), 9.0, 6.0, 2.0, 1.0, DarkGrey);
        c.rounded(x, 10.0, 5.0, 16.0, 2.0, DarkGrey);
        c.rounded(x + 1.5, 12.0, 2.0, 12.0, 1.0, GlassLight);
    }
    c.rounded(20.0, 1.5, 24.0, 5.0, 2.0, LightGrey); // roof unit
    c.rounded(6.0, 4.0, 52.0, 55.0, 7.0, DarkGrey);
    c.rounded(7.5, 5.5, 49.0, 52.0, 5.5, Cream);
    c.rounded(51.5, 11.0, 4.0, 27.0, 2.0, CreamShade);
    c.rounded(13.0, 8.5, 38.0, 7.0, 1.5, Black); // destination sign
    for (int i = 0; i < 7; ++i)
        c.rounded(16.0 + 4.6 * i, 10.5, 3.0, 3.0, 0.8, Orange);
}

void draw_large_windscreen(IconDesign& c)
{
    c.rounded(9.0, 17.5, 46.0, 21.5, 3.5, DarkGrey);
    c.rounded(10.5, 19.0, 43.0, 18.5, 2.5, GlassDark);
    c.rounded(10.5, 28.0, 43.0, 9.5, 2.5, GlassMid);
    c.rounded(13.5, 21.0, 9.0, 1.6, 0.8, GlassLight); // the sky caught in both panes
    c.rounded(13.5, 24.0, 5.0, 1.6, 0.8, GlassLight);
    c.rounded(36.0, 30.0, 9.0, 1.6, 0.8, GlassLight);
    c.rounded(31.0, 18.0, 2.0, 21.0, 1.0, DarkGrey); // centre pillar
}

void draw_large_front(IconDesign& c)
{
    c.rounded(7.5, 41.0, 49.0, 2.0, 0.0, Orange);
    c.rounded(7.5, 43.0, 49.0, 4.5, 0.0, Teal);
    c.rounded(7.5, 46.0, 49.0, 1.5, 0.0, DarkTeal);
    c.rounded(8.5, 39.0, 2.5, 1.5, 0.7, Red);
    c.rounded(53.0, 39.0, 2.5, 1.5, 0.7, Red);
    for (double x : {10.0, 45.0}) { // headlamps
        c.rounded(x, 49.0, 9.0, 5.0, 2.5, MidGrey);
        c.rounded(x + 1.5, 50.0, 6.0, 3.0, 1.5, Lamp);
    }
    c.rounded(24.0, 49.0, 16.0, 5.0, 1.2, White); // number plate
    c.rounded(24.0, 49.0, 16.0, 1.2, 0.6, LightGrey);
    c.rounded(6.0, 54.5, 52.0, 5.5, 2.5, DarkGrey); // bumper
    c.rounded(7.0, 54.5, 50.0, 1.2, 0.6, MidGrey);
    c.rounded(10.0, 58.5, 10.0, 5.0, 1.5, Black); // tyres
    c.rounded(44.0, 58.5, 10.0, 5.0, 1.5, Black);
}

// '#' black, 'o' white, anything else clear.
constexpr std::array<std::string_view, kIconGrid> kHandRows = {
    "................................",
    "...........###..................",
    "..........#ooo#.................",
    "..........#ooo#.................",
    "..........#ooo#.................",
    "..........#ooo#.................",
    "..........#ooo#.................",
    "..........#ooo#.................",
    "..........#ooo####..............",
    "..........#ooo#ooo####..........",
    "..........#ooo#ooo#ooo###.......",
    "..........#ooo#ooo#ooo#oo#......",
    "..........#ooo#ooo#ooo#oo#......",
    "....###...#ooo#ooo#ooo#oo#......",
    "...#ooo#..#oooooooooooooo#......",
    "...#oooo#.#oooooooooooooo#......",
    "....#oooo#ooooooooooooooo#......",
    ".....#ooooooooooooooooooo#......",
    "......#oooooooooooooooooo#......",
    ".......#ooooooooooooooooo#......",
    "........#oooooooooooooooo#......",
    ".........#ooooooooooooooo#......",
    ".........#oooooooooooooo#.......",
    "..........#oooooooooooo#........",
    "..........##############........",
    "..........#oooooooooooo#........",
    "..........#oooooooooooo#........",
    "..........##############........",
    "................................",
    "................................",
    "................................",
    "................................",
};

}

IconDesign bus_icon()
{
    IconDesign c{kIconGrid, kIconPalette, {}};
    draw_icon_body(c);
    draw_icon_windscreen(c);
    draw_icon_front(c);
    return c;
}

IconDesign bus_icon_large()
{
    IconDesign c{kLargeGrid, kIconPalette, {}};
    draw_large_body(c);
    draw_large_windscreen(c);
    draw_large_front(c);
    return c;
}

IconDesign hand_cursor()
{
    IconDesign c{kIconGrid, {qRgb(0, 0, 0), qRgb(0xff, 0xff, 0xff)}, {}};
    for (int y = 0; y < kIconGrid; ++y)
        for (int x = 0; x < kIconGrid; ++x) {
            const char cell = kHandRows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            if (cell == '#' || cell == 'o')
                c.dot(x, y, cell == '#' ? 0 : 1);
        }
    return c;
}

}
