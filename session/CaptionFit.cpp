#include "session/CaptionFit.h"

#include <QFontMetrics>
#include <QLabel>

namespace captionfit {

bool fits(const QLabel &label, const QFont &font)
{
    const QFontMetrics metrics(font);
    const QRect box = label.contentsRect();
    const QString text = label.text();
    if (label.wordWrap())
        return metrics.boundingRect(box, Qt::TextWordWrap, text).height() <= box.height();
    return metrics.horizontalAdvance(text) <= box.width();
}

int fit(QLabel &label, const QFont &designFont)
{
    QFont font = designFont;
    int stretch = 100;
    while (stretch > 80 && !fits(label, font)) {
        stretch -= 2;
        font.setStretch(stretch);
    }
    if (label.font() != font)
        label.setFont(font);
    return stretch;
}

} // namespace captionfit
