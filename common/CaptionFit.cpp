#include "common/CaptionFit.h"

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
    QFont font = designFont;
    int stretch = 100;
    while (stretch > minStretch && !text.isEmpty() && !fits(font, text, box, label.wordWrap())) {
        stretch -= 1;
        font.setStretch(stretch);
    }
    if (label.font() != font)
        label.setFont(font);
    return stretch;
}

} // namespace captionfit
