#pragma once
// Door leaves and the open doorways behind them.
#include <QImage>
#include <QPainter>

#include <vector>

namespace assetgen {

enum class RubberEdge { None, Left, Right };

struct DoorLook {
    int panels;        // glazed panels side by side (a folding leaf has two)
    RubberEdge rubber; // the closing edge
    int body_top;      // body row of the picture's top edge, to carry the livery band across
};

// A closed door leaf filling `size`.
QImage door_picture(QSize size, const DoorLook& look, int scale);

struct DoorwayLook {
    int steps;
    std::vector<double> poles; // handrail positions as fractions of the width
};

// The inside of an open doorway seen from the kerb, painted into `area`.
void draw_doorway(QPainter& p, const QRectF& area, const DoorwayLook& look);

QImage doorway_picture(QSize size, const DoorwayLook& look, int scale);

}
