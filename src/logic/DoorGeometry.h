#pragma once
// The doors' widths in twips, and the order in which a movement sets them.
namespace doors {

struct DoorWidths {
    int closed;
    int open;
};

inline constexpr DoorWidths FrontDoor { 1095, 70 };  // 1026 frames a movement
inline constexpr DoorWidths MiddleLeaf { 780, 110 }; // 671 frames a movement
inline constexpr int MiddleRightEdge = 5820;         // the right leaf folds towards it

enum class MiddleMode { Both, Left, Right };

// An opening runs from `start` down to the open width (no frame at all below it); a
// closing always runs from the open width up to the closed width, whatever came before.
template <class Step>
void move_door(bool opening, int start, const DoorWidths& widths, Step&& step)
{
    if (opening) {
        for (int w = start; w >= widths.open; --w)
            step(w);
    } else {
        for (int w = widths.open; w <= widths.closed; ++w)
            step(w);
    }
}

}
