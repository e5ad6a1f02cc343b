#pragma once
// Small flat faces: the blank destination sign and the two door switch caps.
#include <QImage>
#include <QString>

namespace assetgen {

QImage blank_sign_picture(int scale);

// A yellow switch cap 50 × 20 with `label` in black.
QImage switch_face_picture(const QString& label, int scale);

}
