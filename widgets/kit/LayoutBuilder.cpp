#include "widgets/kit/LayoutBuilder.h"

#include "widgets/kit/BorderedLabel.h"
#include "widgets/kit/DesignButton.h"
#include "widgets/kit/LineWidget.h"
#include "widgets/kit/PictureBox.h"
#include "widgets/kit/ShapeWidget.h"
#include "widgets/kit/Twips.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace layout {

QFont font(const FontChoice &design)
{
    QFont f(QString::fromLatin1(design.face));
    f.setPointSizeF(design.points);
    const bool black = qstrcmp(design.face, "Arial Black") == 0;
    f.setWeight(black ? QFont::Black : (design.bold ? QFont::Bold : QFont::Normal));
    f.setUnderline(design.underline);
    return f;
}

QColor systemColour(ColourChoice::Role role)
{
    const QPalette p = QApplication::palette();
    switch (role) {
    case ColourChoice::Role::ButtonFace: return p.color(QPalette::Button);
    case ColourChoice::Role::ButtonText: return p.color(QPalette::ButtonText);
    case ColourChoice::Role::WindowText: return p.color(QPalette::WindowText);
    case ColourChoice::Role::Highlight: return p.color(QPalette::Highlight);
    default: return {};
    }
}

QColor colour(Rgb rgb) { return {rgb.r, rgb.g, rgb.b}; }

QColor colour(const ColourChoice &design, const QColor &fallback)
{
    switch (design.role) {
    case ColourChoice::Role::Default: return fallback;
    case ColourChoice::Role::Rgb: return colour(design.rgb);
    case ColourChoice::Role::Transparent: return Qt::transparent;
    default: return systemColour(design.role);
    }
}

namespace {

Qt::Alignment alignment(TextAlign align)
{
    switch (align) {
    case TextAlign::Right: return Qt::AlignRight | Qt::AlignTop;
    case TextAlign::Centre: return Qt::AlignHCenter | Qt::AlignTop;
    case TextAlign::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QWidget *makeLabel(QWidget *parent, const ControlRow &row)
{
    auto *label = new BorderedLabel(parent);
    label->setText(QString::fromUtf8(row.caption));
    label->setWordWrap(row.wrap);
    label->setAlignment(alignment(row.align));
    label->setBorderStyle(row.border);
    label->setTextColour(colour(row.text, systemColour(ColourChoice::Role::ButtonText)));
    if (row.back.role == ColourChoice::Role::Transparent)
        label->setTransparent(true);
    else
        label->setBackColour(colour(row.back, systemColour(ColourChoice::Role::ButtonFace)));
    return label;
}

QWidget *makeButton(QWidget *parent, const ControlRow &row)
{
    auto *button = new DesignButton(parent);
    button->setText(QString::fromUtf8(row.caption));
    if (row.back.role != ColourChoice::Role::Default)
        button->setBackColour(colour(row.back, systemColour(ColourChoice::Role::ButtonFace)));
    return button;
}

QWidget *makeShape(QWidget *parent, const ControlRow &row)
{
    auto *shape = new ShapeWidget(parent);
    shape->setBorder(colour(row.text, Qt::black), row.penWidth);
    shape->setFill(colour(row.back, Qt::white));
    return shape;
}

QWidget *makeLine(QWidget *parent, const ControlRow &row)
{
    auto *line = new LineWidget(parent);
    line->setLine(twips::point(row.left, row.top), twips::point(row.width, row.height),
                  colour(row.text, Qt::black), row.penWidth);
    return line;
}

QWidget *make(QWidget *parent, const ControlRow &row)
{
    switch (row.kind) {
    case ControlKind::Label: return makeLabel(parent, row);
    case ControlKind::Button: return makeButton(parent, row);
    case ControlKind::Shape: return makeShape(parent, row);
    case ControlKind::Line: return makeLine(parent, row);
    case ControlKind::Image: return new PictureBox(parent);
    }
    return nullptr;
}

} // namespace

QHash<QString, QWidget *> build(QWidget *parent, std::span<const ControlRow> rows)
{
    // Create from the back to the front: a widget created later is drawn over earlier ones.
    std::vector<const ControlRow *> order;
    order.reserve(rows.size());
    for (const ControlRow &row : rows)
        order.push_back(&row);
    std::stable_sort(order.begin(), order.end(),
                     [](const ControlRow *a, const ControlRow *b) { return a->order > b->order; });

    QHash<QString, QWidget *> made;
    for (const ControlRow *row : order) {
        QWidget *widget = make(parent, *row);
        widget->setObjectName(QString::fromLatin1(row->name));
        if (row->kind != ControlKind::Line)
            widget->setGeometry(twips::rect(row->left, row->top, row->width, row->height));
        widget->setFont(font(row->font));
        if (row->accessibleName) {
            const QString readerName = QString::fromUtf8(row->accessibleName);
            // A label's accessible name stays empty: QLabel announces a new text only then.
            if (auto *label = qobject_cast<BorderedLabel *>(widget))
                label->setReaderName(readerName);
            else
                widget->setAccessibleName(readerName);
        }
        widget->setVisible(row->visible);
        made.insert(widget->objectName(), widget);
    }
    // Buttons are always in front of labels, shapes and lines.
    for (const ControlRow *row : order) {
        if (row->kind == ControlKind::Button)
            made.value(QString::fromLatin1(row->name))->raise();
    }
    return made;
}

const ControlRow *find(std::span<const ControlRow> rows, const QString &name)
{
    for (const ControlRow &row : rows) {
        if (name == QLatin1String(row.name))
            return &row;
    }
    return nullptr;
}

} // namespace layout
