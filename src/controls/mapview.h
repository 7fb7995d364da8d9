// The thin widgets over the map surface and the palette picture: they paint
// their picture at 1:1 and turn mouse presses into picture-pixel events.
#pragma once

#include <QImage>
#include <QWidget>

class MapSurface;

// Button number of a mouse press as the game's handlers take it:
// 1 = left, 2 = right, 4 = middle; 0 for any other button.
int mouseButtonNumber(Qt::MouseButton button);

// Shows a MapSurface's displayed image unscaled at its top-left corner and
// reports mouse presses. The widget does not own the surface.
class MapView : public QWidget {
    Q_OBJECT
public:
    explicit MapView(QWidget *parent = nullptr);

    void setSurface(MapSurface *surface);
    MapSurface *surface() const { return mapSurface; }

    // Repaints from the surface; call after a fill, refresh or load. The
    // widget takes the size of the picture, and keeps its own while there is
    // none.
    void refreshView();

    QSize sizeHint() const override;

signals:
    // x and y are in picture pixels (the widget shows the picture at 1:1).
    void mouseDown(int button, double x, double y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void fitToPicture();

    MapSurface *mapSurface = nullptr;
};

// Shows the palette picture and reports mouse presses on it.
class PaletteView : public QWidget {
    Q_OBJECT
public:
    explicit PaletteView(QWidget *parent = nullptr);

    // Colour of the palette pixel at (x, y) as 0xRRGGBB, -1 outside.
    qint64 point(double x, double y) const;
    const QImage &picture() const { return image; }

    QSize sizeHint() const override;

signals:
    void mouseDown(int button, double x, double y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage image;
};
