#include "mapview.h"

#include "surface/mapsurface.h"
#include "surface/palette.h"

#include <QMouseEvent>
#include <QPainter>

int mouseButtonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

namespace {

// Extra buttons (back, forward) have no number in the game and are ignored.
bool reportPress(QMouseEvent *event, const auto &emitter)
{
    const int button = mouseButtonNumber(event->button());
    if (button == 0)
        return false;
    const QPointF at = event->position();
    emitter(button, at.x(), at.y());
    return true;
}

} // namespace

MapView::MapView(QWidget *parent) : QWidget(parent) {}

void MapView::setSurface(MapSurface *surface)
{
    mapSurface = surface;
    refreshView();
}

void MapView::refreshView()
{
    fitToPicture();
    update();
}

QSize MapView::sizeHint() const
{
    return mapSurface && !mapSurface->isNull() ? mapSurface->size() : QWidget::sizeHint();
}

void MapView::fitToPicture()
{
    // Without a picture the widget keeps whatever size its window gave it.
    if (!mapSurface || mapSurface->isNull())
        return;
    const QSize pictureSize = mapSurface->size();
    if (size() != pictureSize || minimumSize() != pictureSize || maximumSize() != pictureSize)
        setFixedSize(pictureSize);
}

void MapView::paintEvent(QPaintEvent *)
{
    if (!mapSurface || mapSurface->isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), mapSurface->displayed());
}

void MapView::mousePressEvent(QMouseEvent *event)
{
    if (reportPress(event, [this](int b, double x, double y) { emit mouseDown(b, x, y); }))
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

PaletteView::PaletteView(QWidget *parent) : QWidget(parent), image(makePalettePicture())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(image.size());
}

QSize PaletteView::sizeHint() const
{
    return image.size();
}

qint64 PaletteView::point(double x, double y) const
{
    return pixelAt(image, x, y);
}

void PaletteView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image);
}

void PaletteView::mousePressEvent(QMouseEvent *event)
{
    if (reportPress(event, [this](int b, double x, double y) { emit mouseDown(b, x, y); }))
        event->accept();
    else
        QWidget::mousePressEvent(event);
}
