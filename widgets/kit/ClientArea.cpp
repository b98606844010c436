#include "widgets/kit/ClientArea.h"

#include "widgets/kit/Accessibility.h"

ClientArea::ClientArea(QWidget *parent) : QWidget(parent)
{
    accessibility::install();
    accessibility::readTopDown(this);
}
