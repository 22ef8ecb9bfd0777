#pragma once

#include <QRect>
#include <QSize>

namespace pelmora {

// Where the preview picture goes in its frame: the longer side fills the frame's matching side
// (a square picture fills the height), proportions kept, centred; positions in the frame's
// coordinates, snapped to whole pixels. A picture wider than the frame's proportions may
// overflow it and is then cut by the frame. An empty picture stays empty, centred.
QRect fitPreview(QSize picture, QSize frame);

} // namespace pelmora
