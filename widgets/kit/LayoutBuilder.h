#pragma once

#include "widgets/kit/ControlRow.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QString>

#include <span>

class QWidget;

// Builds the controls of a layout table as children of one parent widget, each with its
// designed name as objectName, its box converted from twips, font, colours and border, and
// stacked so that a lower row number is drawn in front (buttons always in front).
namespace layout {

QFont font(const FontChoice &design);
QColor colour(const ColourChoice &design, const QColor &fallback);
QColor colour(Rgb rgb);
QColor systemColour(ColourChoice::Role role);

QHash<QString, QWidget *> build(QWidget *parent, std::span<const ControlRow> rows);

const ControlRow *find(std::span<const ControlRow> rows, const QString &name);

} // namespace layout
