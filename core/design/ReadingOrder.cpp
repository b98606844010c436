#include "core/design/ReadingOrder.h"

#include <algorithm>

namespace readingorder {

namespace {

struct Page {
    const QList<QRect> &boxes;
    QList<QList<int>> enclosed; // per box, the boxes it encloses directly

    explicit Page(const QList<QRect> &all) : boxes(all), enclosed(all.size()) {}

    // The smallest box that encloses box i, or -1. Of two equal boxes the earlier encloses the
    // later, so enclosing never runs in a circle.
    int encloser(int i) const
    {
        int best = -1;
        for (int j = 0; j < boxes.size(); ++j) {
            if (j == i || !boxes[j].contains(boxes[i]) || (boxes[j] == boxes[i] && j > i))
                continue;
            if (best < 0 || area(boxes[j]) < area(boxes[best]))
                best = j;
        }
        return best;
    }

    static qint64 area(const QRect &r) { return qint64(r.width()) * r.height(); }

    // Splits `items` where a gap runs across the page: along y (bands) or along x (columns).
    QList<QList<int>> split(QList<int> items, bool alongY) const
    {
        const auto start = [&](int i) { return alongY ? boxes[i].top() : boxes[i].left(); };
        const auto end = [&](int i) { return alongY ? boxes[i].bottom() : boxes[i].right(); };
        std::stable_sort(items.begin(), items.end(),
                         [&](int a, int b) { return start(a) < start(b); });
        QList<QList<int>> groups;
        int reach = 0;
        for (int i : items) {
            if (groups.isEmpty() || start(i) > reach) {
                groups.append(QList<int>());
                reach = end(i);
            }
            groups.last().append(i);
            reach = std::max(reach, end(i));
        }
        return groups;
    }

    void arrange(const QList<int> &items, QList<int> &out) const
    {
        for (bool alongY : {true, false}) {
            const QList<QList<int>> groups = split(items, alongY);
            if (groups.size() > 1) {
                for (const QList<int> &group : groups)
                    arrange(group, out);
                return;
            }
        }
        QList<int> sorted = items;
        std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
            const QRect &x = boxes[a];
            const QRect &y = boxes[b];
            return x.top() != y.top() ? x.top() < y.top() : x.left() < y.left();
        });
        for (int i : sorted) {
            out.append(i);
            if (!enclosed[i].isEmpty())
                arrange(enclosed[i], out);
        }
    }
};

} // namespace

QList<int> order(const QList<QRect> &boxes)
{
    Page page(boxes);
    QList<int> top;
    for (int i = 0; i < boxes.size(); ++i) {
        const int outer = page.encloser(i);
        (outer < 0 ? top : page.enclosed[outer]).append(i);
    }
    QList<int> out;
    out.reserve(boxes.size());
    page.arrange(top, out);
    return out;
}

} // namespace readingorder
