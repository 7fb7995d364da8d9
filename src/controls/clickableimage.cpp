#include "clickableimage.h"

#include <QMouseEvent>

ClickableImage::ClickableImage(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

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
    if (event->button() == Qt::LeftButton)
        pressed = true;
    QLabel::mousePressEvent(event);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release over the image; dragging off it
    // before letting go cancels.
    if (event->button() == Qt::LeftButton) {
        const bool click = pressed && rect().contains(event->position().toPoint()) && hasPicture();
        pressed = false;
        if (click)
            emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}
