// Shapes are laid out in a 100 × 100 unit box; the painter's transform maps
// it onto the frame, so the same pose works at every animation size.
#include "mascot.h"

#include <QPainterPath>
#include <cmath>

namespace mascot {
namespace {

const QColor kOutline(0x1d, 0x4d, 0x22);
const QColor kSkin(0x43, 0xb0, 0x4c);
const QColor kBelly(0xc4, 0xe8, 0x7c);
const QColor kSpot(0x2f, 0x8a, 0x3a);
const QColor kHat(0xfb, 0xfb, 0xf8);
const QColor kHatLine(0x50, 0x50, 0x58);
const QColor kBand(0x2f, 0x5f, 0xd0);

QPointF polar(qreal length, qreal degrees)
{
    const qreal a = degrees * M_PI / 180;
    return {length * std::cos(a), length * std::sin(a)};
}

// A tube that tapers from the tail to the neck, drawn as a sweep of discs
// in three passes: outline, skin, then belly.
void drawBody(QPainter &p, const QPointF &neck)
{
    QPainterPath spine;
    spine.moveTo(90, 83);
    spine.cubicTo(72, 97, 22, 97, 17, 82);
    spine.cubicTo(12, 66, 38, 66, 47, 66);
    spine.cubicTo(56, 66, neck.x(), neck.y() + 12, neck.x(), neck.y());
    constexpr int kSteps = 90;
    auto radius = [](qreal t) { return 1.6 + 6.4 * std::min(1.0, t * 1.6); };
    p.setPen(Qt::NoPen);
    for (int pass = 0; pass < 3; ++pass) {
        for (int i = 0; i <= kSteps; ++i) {
            const qreal t = qreal(i) / kSteps;
            const QPointF c = spine.pointAtPercent(t);
            const qreal r = radius(t);
            if (pass == 0) {
                p.setBrush(kOutline);
                p.drawEllipse(c, r + 1.6, r + 1.6);
            } else if (pass == 1) {
                p.setBrush(kSkin);
                p.drawEllipse(c, r, r);
            } else if (t > 0.08) {
                p.setBrush(kBelly);
                p.drawEllipse(c + QPointF(0, r * 0.45), r * 0.42, r * 0.42);
            }
        }
    }
    p.setBrush(kSpot);
    for (qreal t : {0.22, 0.38, 0.55, 0.72}) {
        const QPointF c = spine.pointAtPercent(t);
        p.drawEllipse(c - QPointF(0, radius(t) * 0.35), radius(t) * 0.28, radius(t) * 0.22);
    }
}

void drawArm(QPainter &p, const QPointF &shoulder, const Pose &pose)
{
    const qreal direction = 30 - 100 * pose.armRaise + pose.armSwing; // 0° = right, upwards negative
    const QPointF hand = shoulder + polar(20, direction);
    QPainterPath arm;
    arm.moveTo(shoulder);
    arm.quadTo(shoulder + polar(11, direction + 30), hand);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 8.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arm);
    p.setPen(QPen(kSkin, 5.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arm);

    if (pose.magnifier) {
        const QPointF lens = hand + polar(16, direction);
        p.setPen(QPen(QColor(0x5a, 0x3a, 0x1c), 3.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(hand, hand + polar(8, direction));
        p.setPen(QPen(QColor(0x33, 0x33, 0x3a), 2.4));
        p.setBrush(QColor(0xcf, 0xe9, 0xff, 0xa0));
        p.drawEllipse(lens, 9, 9);
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(lens - QPointF(6, 6), QSizeF(12, 12)), 100 * 16, 70 * 16);
    }
    // Three fingers fanned around the arm, each tipped with a pale claw.
    for (qreal spread : {-38.0, 0.0, 38.0}) {
        const QPointF tip = hand + polar(6.5, direction + spread);
        p.setPen(QPen(kOutline, 4.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(hand, tip);
        p.setPen(QPen(kSkin, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(hand, tip);
        p.setPen(QPen(QColor(0xf4, 0xf0, 0xd8), 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(tip, tip + polar(1.8, direction + spread));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kSkin);
    p.drawEllipse(hand, 3.2, 3.2);
}

void drawEye(QPainter &p, const QPointF &centre, const Pose &pose)
{
    if (pose.blink >= 0.5) {
        p.setPen(QPen(kOutline, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(centre.x() - 6, centre.y() - 3, 12, 8), 200 * 16, 140 * 16);
        return;
    }
    const qreal height = 7.4 * (1 - pose.blink);
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 6.2, height);
    const QPointF pupil = centre + QPointF(pose.look.x() * 2.7, pose.look.y() * 3.0 + 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1a, 0x1a, 0x22));
    p.drawEllipse(pupil, 3.2, 3.6);
    p.setBrush(Qt::white);
    p.drawEllipse(pupil + QPointF(-1.2, -1.4), 1.2, 1.2);
}

void drawFace(QPainter &p, const Pose &pose)
{
    for (int side : {-1, 1}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0x8a, 0x8a, 0x90));
        p.drawEllipse(QPointF(side * 16, 5), 3.6, 2.4);
        drawEye(p, QPointF(side * 9.5, -5), pose);
        p.setPen(QPen(kOutline, 1.7, Qt::SolidLine, Qt::RoundCap));
        if (pose.brows == Brows::Raised)
            p.drawArc(QRectF(side * 9.5 - 6, -20, 12, 6), 30 * 16, 120 * 16);
        else if (pose.brows == Brows::Worried)
            p.drawLine(QPointF(side * 15, -14.5), QPointF(side * 5, -18));
        p.setPen(Qt::NoPen);
        p.setBrush(kOutline);
        p.drawEllipse(QPointF(side * 2.6, 3.2), 0.9, 0.7);
    }
    p.setPen(QPen(kOutline, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (pose.mouth) {
    case Mouth::Smile: {
        QPainterPath smile;
        smile.moveTo(-7, 7.5);
        smile.quadTo(0, 13.5, 7, 7.5);
        p.drawPath(smile);
        break;
    }
    case Mouth::Grin: {
        QPainterPath grin;
        grin.moveTo(-9, 7);
        grin.quadTo(0, 9, 9, 7);
        grin.quadTo(0, 20, -9, 7);
        p.setBrush(QColor(0x8a, 0x1f, 0x2a));
        p.drawPath(grin);
        // A forked tongue: it is a serpent after all.
        QPainterPath tongue;
        tongue.moveTo(0, 13);
        tongue.lineTo(0, 16.5);
        tongue.moveTo(0, 16.5);
        tongue.lineTo(-1.8, 19);
        tongue.moveTo(0, 16.5);
        tongue.lineTo(1.8, 19);
        p.setPen(QPen(QColor(0xe8, 0x3a, 0x4a), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(tongue);
        break;
    }
    case Mouth::Open:
        p.setBrush(QColor(0x8a, 0x1f, 0x2a));
        p.drawEllipse(QPointF(0, 10), 3, 3.6);
        break;
    case Mouth::Wavy: {
        QPainterPath wave;
        wave.moveTo(-6.5, 10);
        wave.cubicTo(-4, 7.5, -2, 7.5, 0, 10);
        wave.cubicTo(2, 12.5, 4, 12.5, 6.5, 10);
        p.drawPath(wave);
        break;
    }
    }
}

void drawHat(QPainter &p, const Pose &pose)
{
    p.save();
    p.translate(3, -15 - pose.hatLift);
    p.rotate(-12);
    p.scale(1.3, 1.3);
    p.setPen(QPen(kHatLine, 1.4));
    p.setBrush(kHat);
    QPainterPath crown;
    crown.moveTo(-8, 0);
    crown.lineTo(-7.2, -11);
    crown.quadTo(0, -13.5, 7.2, -11);
    crown.lineTo(8, 0);
    crown.closeSubpath();
    p.drawPath(crown);
    p.setPen(Qt::NoPen);
    p.setBrush(kBand);
    p.drawRect(QRectF(-7.9, -3.6, 15.8, 3));
    p.setPen(QPen(kHatLine, 1.4));
    p.setBrush(kHat);
    p.drawEllipse(QPointF(0, 0.2), 13, 3.2);
    p.restore();
}

} // namespace

void draw(QPainter &painter, const QRectF &box, const Pose &pose)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / 100, box.height() / 100);
    painter.translate(0, -pose.hop);

    const QPointF headCentre = QPointF(47, 36) + pose.head;
    drawBody(painter, headCentre + QPointF(0, 12));

    painter.save();
    painter.translate(headCentre);
    painter.rotate(pose.headTilt);
    painter.setPen(QPen(kOutline, 2.2));
    painter.setBrush(kSkin);
    QPainterPath head;
    head.setFillRule(Qt::WindingFill);
    head.addEllipse(QPointF(0, 0), 24, 16.5);
    head.addEllipse(QPointF(0, 5), 20, 12.5);
    painter.drawPath(head.simplified());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSkin.lighter(112));
    painter.drawEllipse(QPointF(-6, -9), 9, 4.5);
    drawFace(painter, pose);
    drawHat(painter, pose);
    painter.restore();
    // The arm comes last so that the claw is never hidden behind the head.
    drawArm(painter, headCentre + QPointF(15, 19), pose);

    painter.restore();
}

} // namespace mascot
