// The enlarged picture window: the card's picture at its natural size, with a
// red margin, centred on the screen. Loaded afresh for every showing.
#pragma once

#include <QDialog>

class QLabel;
class QPixmap;

class Form4 : public QDialog {
    Q_OBJECT
public:
    // Runs the load step: the picture box takes the picture, the window is
    // sized around the box and centred on the screen.
    explicit Form4(const QPixmap &picture, QWidget *parent = nullptr);

    QLabel *Picture1 = nullptr;

    // Outer size and position in twips, as the layout rules read them.
    double outerWidth() const;
    double outerHeight() const;

    static constexpr QRgb kBackColour = 0xFF0000;
    // A picture box's single border, on each side, in pixels.
    static constexpr int kPictureBorder = 1;
    // What the window adds to the picture box: a red margin right and below,
    // and room for the window's own border and title bar.
    static constexpr double kExtraWidth = 325;
    static constexpr double kExtraHeight = 700;

private:
    void Form_Load(const QPixmap &picture);
};
