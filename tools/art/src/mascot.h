// The game's mascot: a green cartoon serpent with a small white hat and a
// raised claw, drawn in poses for the feedback animations.
#pragma once

#include <QPainter>
#include <QPointF>
#include <QRectF>

namespace mascot {

enum class Mouth { Smile, Grin, Open, Wavy };
enum class Brows { None, Raised, Worried };

struct Pose {
    QPointF head;           // head offset from its rest place, in units
    qreal headTilt = 0;     // degrees, clockwise
    QPointF look;           // where the pupils point, each coordinate -1..1
    Mouth mouth = Mouth::Smile;
    Brows brows = Brows::None;
    qreal armRaise = 1;     // 0: claw out at the side, 1: raised high, below 0: hanging
    qreal armSwing = 0;     // degrees added to the arm's direction
    bool magnifier = false; // holds a magnifying glass
    qreal blink = 0;        // 0 open, 1 closed
    qreal hop = 0;          // the whole figure lifted, in units
    qreal hatLift = 0;      // the hat raised above the head, in units
};

// Draws the serpent so that its 100 × 100 unit design box fills box.
void draw(QPainter &painter, const QRectF &box, const Pose &pose);

} // namespace mascot
