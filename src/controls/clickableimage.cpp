#include "clickableimage.h"

#include <QMouseEvent>

ClickableImage::ClickableImage(QWidget *parent) : QLabel(parent) {}

void ClickableImage::setPicture(const QPixmap &pixmap)
{
    natural = pixmap;
    setPixmap(natural);
    setScaledContents(stretching);
    if (!stretching && !natural.isNull())
        resize(natural.size());
}

void ClickableImage::setStretch(bool on)
{
    stretching = on;
    setScaledContents(on);
}

void ClickableImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && hasPicture())
        emit clicked();
    QLabel::mousePressEvent(event);
}
