#pragma once
// The window's background: the whole bus seen from the kerb side, doorways open.
#include <QImage>

namespace assetgen {

QImage bus_body_picture(int scale);

}
