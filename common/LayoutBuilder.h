#pragma once

#include "common/ControlSpec.h"

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

QFont font(const FontSpec &spec);
QColor colour(const ColourSpec &spec, const QColor &fallback);
QColor systemColour(ColourSpec::Role role);

QHash<QString, QWidget *> build(QWidget *parent, std::span<const ControlSpec> rows);

const ControlSpec *find(std::span<const ControlSpec> rows, const QString &name);

} // namespace layout
