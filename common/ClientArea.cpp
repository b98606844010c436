#include "common/ClientArea.h"

#include "common/Accessibility.h"

ClientArea::ClientArea(QWidget *parent) : QWidget(parent)
{
    accessibility::install();
    accessibility::readTopDown(this);
}
