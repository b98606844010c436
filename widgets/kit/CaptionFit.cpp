#include "widgets/kit/CaptionFit.h"

#include <QFontMetrics>
#include <QLabel>

namespace captionfit {

bool fits(const QFont &font, const QString &text, const QSize &box, bool wordWrap)
{
    const QFontMetrics metrics(font);
    if (!wordWrap)
        return metrics.horizontalAdvance(text) <= box.width();
    const QRect needed = metrics.boundingRect(QRect(0, 0, box.width(), 100000),
                                              Qt::AlignLeft | Qt::TextWordWrap, text);
    return needed.width() <= box.width() && needed.height() <= box.height();
}

int fit(QLabel &label, const QFont &designFont)
{
    const QSize box = label.contentsRect().size();
    const QString text = label.text();
    const auto fitsAt = [&](int stretch) {
        QFont font = designFont;
        if (stretch != 100)
            font.setStretch(stretch);
        return fits(font, text, box, label.wordWrap());
    };
    // Most captions fit as designed. For the others, find the widest stretch that fits by
    // halving: every stretch tried loads a font of its own, which is what start-up pays for.
    int best = 100;
    if (!text.isEmpty() && !fitsAt(100)) {
        best = minStretch;
        int low = minStretch + 1;
        int high = 99;
        while (low <= high) {
            const int middle = (low + high) / 2;
            if (fitsAt(middle)) {
                best = middle;
                low = middle + 1;
            } else {
                high = middle - 1;
            }
        }
    }
    QFont font = designFont;
    if (best != 100)
        font.setStretch(best);
    if (label.font() != font)
        label.setFont(font);
    return best;
}

} // namespace captionfit
