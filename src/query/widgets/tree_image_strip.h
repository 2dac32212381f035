#pragma once
// The tree's images, drawn in code: one 16-pixel image per index of TreeImage
// (query/inventory_tree_layout.h). Indexes no node uses are left empty.

#include <QIcon>
#include <QImage>

// The image at `index` as an icon with 16- and 32-pixel renderings; a null icon for an
// index outside the strip.
QIcon TreeImageIcon(int index);

// All images side by side, 16 by 16 pixels each times `scale`, on a transparent ground.
QImage TreeImageStrip(int scale = 1);
