#pragma once

#include <QProxyStyle>

// The program's one style: Fusion, with no platform theme's hints in what the design shows.
// A desktop theme may ask for icons on dialog buttons; the design's message boxes have a plain
// OK button, as on every desktop.
class ClassicStyle : public QProxyStyle {
    Q_OBJECT
public:
    ClassicStyle();

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};
