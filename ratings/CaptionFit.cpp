#include "ratings/CaptionFit.h"

#include <QFontMetrics>
#include <QLabel>

namespace captionfit {

bool fits(const QFont &font, const QString &text, const QSize &box)
{
    const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, box.width(), 100000),
                                                         Qt::AlignLeft | Qt::TextWordWrap, text);
    return needed.width() <= box.width() && needed.height() <= box.height();
}

void fit(QLabel *label)
{
    const QSize box = label->contentsRect().size();
    QFont font = label->font();
    if (label->text().isEmpty() || fits(font, label->text(), box))
        return;
    for (int stretch = 99; stretch >= minStretch; --stretch) {
        font.setStretch(stretch);
        if (fits(font, label->text(), box))
            break;
    }
    label->setFont(font);
}

} // namespace captionfit
