#pragma once

#include <QList>
#include <QRect>

// The order in which a reader goes through boxes laid out on a page, independent of the order in
// which they are stacked: a box that encloses others (a panel, a titled frame) is read first and
// then its contents; boxes side by side in separate columns are read column by column, left to
// right; boxes in separate bands are read band by band, top to bottom. Boxes that neither
// enclose one another nor separate cleanly are read top to bottom, then left to right.
namespace readingorder {

// The indexes of `boxes` in reading order.
QList<int> order(const QList<QRect> &boxes);

} // namespace readingorder
