#pragma once

#include <QWidget>

// The client area of a window: the surface on which a layout table places its controls. A screen
// reader goes through the controls on it top-down, panel by panel, whatever their stacking.
class ClientArea : public QWidget {
    Q_OBJECT
public:
    explicit ClientArea(QWidget *parent = nullptr);
};
