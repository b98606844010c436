#include "common/LayoutBuilder.h"

#include "common/BorderedLabel.h"
#include "common/DesignButton.h"
#include "common/LineWidget.h"
#include "common/PictureBox.h"
#include "common/ShapeWidget.h"
#include "common/Twips.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace layout {

QFont font(const FontSpec &spec)
{
    QFont f(QString::fromLatin1(spec.face));
    f.setPointSizeF(spec.points);
    const bool black = qstrcmp(spec.face, "Arial Black") == 0;
    f.setWeight(black ? QFont::Black : (spec.bold ? QFont::Bold : QFont::Normal));
    f.setUnderline(spec.underline);
    return f;
}

QColor systemColour(ColourSpec::Role role)
{
    const QPalette p = QApplication::palette();
    switch (role) {
    case ColourSpec::Role::ButtonFace: return p.color(QPalette::Button);
    case ColourSpec::Role::ButtonText: return p.color(QPalette::ButtonText);
    case ColourSpec::Role::WindowText: return p.color(QPalette::WindowText);
    case ColourSpec::Role::Highlight: return p.color(QPalette::Highlight);
    default: return {};
    }
}

QColor colour(const ColourSpec &spec, const QColor &fallback)
{
    switch (spec.role) {
    case ColourSpec::Role::Default: return fallback;
    case ColourSpec::Role::Rgb: return {spec.rgb.r, spec.rgb.g, spec.rgb.b};
    case ColourSpec::Role::Transparent: return Qt::transparent;
    default: return systemColour(spec.role);
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

QWidget *makeLabel(QWidget *parent, const ControlSpec &row)
{
    auto *label = new BorderedLabel(parent);
    label->setText(QString::fromUtf8(row.caption));
    label->setWordWrap(row.wrap);
    label->setAlignment(alignment(row.align));
    label->setBorderStyle(row.border);
    label->setTextColour(colour(row.text, systemColour(ColourSpec::Role::ButtonText)));
    if (row.back.role == ColourSpec::Role::Transparent)
        label->setTransparent(true);
    else
        label->setBackColour(colour(row.back, systemColour(ColourSpec::Role::ButtonFace)));
    return label;
}

QWidget *makeButton(QWidget *parent, const ControlSpec &row)
{
    auto *button = new DesignButton(parent);
    button->setText(QString::fromUtf8(row.caption));
    if (row.back.role != ColourSpec::Role::Default)
        button->setBackColour(colour(row.back, systemColour(ColourSpec::Role::ButtonFace)));
    return button;
}

QWidget *makeShape(QWidget *parent, const ControlSpec &row)
{
    auto *shape = new ShapeWidget(parent);
    shape->setBorder(colour(row.text, Qt::black), row.penWidth);
    shape->setFill(colour(row.back, Qt::white));
    return shape;
}

QWidget *makeLine(QWidget *parent, const ControlSpec &row)
{
    auto *line = new LineWidget(parent);
    line->setLine(twips::point(row.left, row.top), twips::point(row.width, row.height),
                  colour(row.text, Qt::black), row.penWidth);
    return line;
}

QWidget *make(QWidget *parent, const ControlSpec &row)
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

QHash<QString, QWidget *> build(QWidget *parent, std::span<const ControlSpec> rows)
{
    // Create from the back to the front: a widget created later is drawn over earlier ones.
    std::vector<const ControlSpec *> order;
    order.reserve(rows.size());
    for (const ControlSpec &row : rows)
        order.push_back(&row);
    std::stable_sort(order.begin(), order.end(),
                     [](const ControlSpec *a, const ControlSpec *b) { return a->order > b->order; });

    QHash<QString, QWidget *> made;
    for (const ControlSpec *row : order) {
        QWidget *widget = make(parent, *row);
        widget->setObjectName(QString::fromLatin1(row->name));
        if (row->kind != ControlKind::Line)
            widget->setGeometry(twips::rect(row->left, row->top, row->width, row->height));
        widget->setFont(font(row->font));
        if (row->accessibleName)
            widget->setAccessibleName(QString::fromUtf8(row->accessibleName));
        widget->setVisible(row->visible);
        made.insert(widget->objectName(), widget);
    }
    // Buttons are always in front of labels, shapes and lines.
    for (const ControlSpec *row : order) {
        if (row->kind == ControlKind::Button)
            made.value(QString::fromLatin1(row->name))->raise();
    }
    return made;
}

const ControlSpec *find(std::span<const ControlSpec> rows, const QString &name)
{
    for (const ControlSpec &row : rows) {
        if (name == QLatin1String(row.name))
            return &row;
    }
    return nullptr;
}

} // namespace layout
