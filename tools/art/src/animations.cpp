// Frame sizes are the controls' sizes in pixels (twips / 15), so that the
// animations play unscaled in their places.
#include "animations.h"

#include "mascot.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace animations {
namespace {

using mascot::Brows;
using mascot::Mouth;
using mascot::Pose;

QImage blank(QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath star(QPointF centre, qreal outer, qreal inner, qreal turn)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 ? inner : outer;
        const qreal a = (turn - 90 + 36 * i) * M_PI / 180;
        const QPointF p = centre + QPointF(r * std::cos(a), r * std::sin(a));
        i ? path.lineTo(p) : path.moveTo(p);
    }
    path.closeSubpath();
    return path;
}

} // namespace

std::vector<gifwriter::Frame> looking()
{
    const QSize size(1695 / 15, 1335 / 15); // 113 × 89
    struct Key {
        QPointF look, head;
        qreal tilt, swing;
        Mouth mouth;
        Brows brows;
        qreal blink;
    };
    // Left, right, up, a blink, and a thoughtful pause: 15 frames of 100 ms.
    const std::vector<Key> keys = {
        {{0, 0}, {0, 0}, 0, 0, Mouth::Open, Brows::Raised, 0},
        {{-0.6, 0}, {-1, 0}, -3, -8, Mouth::Open, Brows::Raised, 0},
        {{-1, -0.1}, {-3, 0}, -7, -18, Mouth::Open, Brows::None, 0},
        {{-1, 0.1}, {-3, 0}, -7, -22, Mouth::Smile, Brows::None, 0},
        {{-1, 0.1}, {-3, 0}, -7, -18, Mouth::Smile, Brows::None, 0},
        {{0, -0.2}, {0, 0}, 0, 0, Mouth::Smile, Brows::None, 0},
        {{1, -0.2}, {3, 0}, 7, 14, Mouth::Smile, Brows::None, 0},
        {{1, 0.1}, {3, 0}, 7, 20, Mouth::Smile, Brows::None, 0},
        {{1, 0.1}, {3, 0}, 7, 16, Mouth::Smile, Brows::None, 0},
        {{0.3, -1}, {1, -2}, 2, 4, Mouth::Open, Brows::Raised, 0},
        {{0, -1}, {0, -2}, 0, 0, Mouth::Open, Brows::Raised, 0},
        {{0, -0.5}, {0, -1}, 0, 0, Mouth::Smile, Brows::None, 1},
        {{0, 0}, {0, 0}, 0, 0, Mouth::Wavy, Brows::Raised, 0},
        {{0.2, 0.1}, {0, 0}, 2, 0, Mouth::Wavy, Brows::Raised, 0},
        {{0, 0}, {0, 0}, 0, 0, Mouth::Smile, Brows::None, 0},
    };
    std::vector<gifwriter::Frame> frames;
    for (const Key &key : keys) {
        QImage image = blank(size);
        QPainter painter(&image);
        Pose pose;
        pose.look = key.look;
        pose.head = key.head;
        pose.headTilt = key.tilt;
        pose.armRaise = 0.75;
        pose.armSwing = key.swing;
        pose.magnifier = true;
        pose.mouth = key.mouth;
        pose.brows = key.brows;
        pose.blink = key.blink;
        mascot::draw(painter, QRectF(2, 1, 88, 88), pose);
        painter.end();
        frames.push_back({image, 100});
    }
    return frames;
}

std::vector<gifwriter::Frame> hit()
{
    const QSize size(1815 / 15, 1935 / 15); // 121 × 129
    constexpr int kFrames = 16;
    std::vector<gifwriter::Frame> frames;
    for (int f = 0; f < kFrames; ++f) {
        const qreal t = qreal(f) / (kFrames - 1);
        QImage image = blank(size);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);

        // Stars burst from behind the head and fade out.
        if (f >= 2 && f <= 11) {
            const qreal s = (f - 2) / 9.0;
            const QPointF from(58, 50);
            for (int i = 0; i < 7; ++i) {
                const qreal a = (-160 + i * 40 + 8 * (i % 2)) * M_PI / 180;
                const QPointF c = from + QPointF(std::cos(a), std::sin(a)) * (22 + 44 * s);
                QColor gold(0xff, 0xc8, 0x1e);
                if (s > 0.7)
                    gold = gold.lighter(100 + int(60 * (s - 0.7) / 0.3));
                painter.setPen(QPen(QColor(0xc8, 0x7a, 0x00), 1));
                painter.setBrush(gold);
                const qreal r = 4.5 + 3 * std::sin(s * M_PI);
                painter.drawPath(star(c, r, r * 0.45, 30 * f + 20 * i));
            }
        }

        Pose pose;
        pose.mouth = f < 2 ? Mouth::Open : Mouth::Grin;
        pose.brows = Brows::Raised;
        // Two hops, the claw pumping with each.
        const qreal hopPhase = std::fmod(t * 2, 1.0);
        pose.hop = f < kFrames - 2 ? 12 * std::sin(hopPhase * M_PI) : 0;
        pose.armRaise = 0.75 + 0.3 * std::sin(hopPhase * M_PI);
        pose.armSwing = 10 * std::sin(t * 4 * M_PI);
        pose.look = QPointF(0.2, -0.3);
        pose.hatLift = 4 * std::sin(hopPhase * M_PI);
        pose.headTilt = 4 * std::sin(t * 2 * M_PI);
        mascot::draw(painter, QRectF(2, 20, 108, 108), pose);

        // A green tick grows in the upper left and stays.
        if (f >= 4) {
            const qreal g = std::min(1.0, (f - 4) / 4.0);
            QPainterPath tick;
            tick.moveTo(7, 21);
            tick.lineTo(15, 30);
            tick.lineTo(31, 8);
            QPainterPath partial;
            const int steps = 24;
            for (int i = 0; i <= steps * g; ++i) {
                const QPointF p = tick.pointAtPercent(qreal(i) / steps);
                i ? partial.lineTo(p) : partial.moveTo(p);
            }
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(Qt::white, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPath(partial);
            painter.setPen(QPen(QColor(0x1f, 0x9d, 0x3a), 5.5, Qt::SolidLine, Qt::RoundCap,
                                Qt::RoundJoin));
            painter.drawPath(partial);
        }
        painter.end();
        frames.push_back({image, f == kFrames - 1 ? 200 : 80});
    }
    return frames;
}

std::vector<gifwriter::Frame> miss()
{
    const QSize size(1695 / 15, 1695 / 15); // 113 × 113
    constexpr int kFrames = 15;
    std::vector<gifwriter::Frame> frames;
    for (int f = 0; f < kFrames; ++f) {
        QImage image = blank(size);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        Pose pose;
        pose.armRaise = -0.3; // the claw hangs while the head shakes
        if (f < 9) {
            // A gentle shake of the head: "not quite".
            const qreal shake = std::sin(f * M_PI / 2) * (1 - f / 14.0);
            pose.head = QPointF(5 * shake, 0);
            pose.headTilt = 12 * shake;
            pose.look = QPointF(-shake, 0.3);
            pose.mouth = Mouth::Wavy;
            pose.brows = Brows::Worried;
        } else {
            // Then a kind smile and a little wave to try again.
            pose.mouth = Mouth::Smile;
            pose.brows = Brows::Raised;
            pose.look = QPointF(0, 0);
            pose.armRaise = 0.7;
            pose.armSwing = (f % 2 ? -12 : 12);
            pose.blink = f == 10 ? 1 : 0;
        }
        mascot::draw(painter, QRectF(4, 10, 102, 102), pose);

        // A drop of sweat slides down beside the head while it shakes.
        if (f >= 1 && f < 9) {
            const QPointF drop(24, 30 + 1.6 * f);
            QPainterPath path;
            path.moveTo(drop + QPointF(0, -8));
            path.cubicTo(drop + QPointF(5, -1), drop + QPointF(5, 5), drop + QPointF(0, 5));
            path.cubicTo(drop + QPointF(-5, 5), drop + QPointF(-5, -1), drop + QPointF(0, -8));
            painter.setPen(QPen(QColor(0x2a, 0x6c, 0xc0), 1.2));
            painter.setBrush(QColor(0x9c, 0xd4, 0xff));
            painter.drawPath(path);
        }
        painter.end();
        frames.push_back({image, 90});
    }
    return frames;
}

std::vector<gifwriter::Frame> lightBulb()
{
    const QSize size(2295 / 15, 1575 / 15); // 153 × 105
    constexpr int kFrames = 24;
    const QPointF glass(76.5, 42);
    std::vector<gifwriter::Frame> frames;
    for (int f = 0; f < kFrames; ++f) {
        // Off, a flicker, then lit with pulsing rays; dims before the loop restarts.
        qreal on = 0;
        if (f == 6 || f >= 8)
            on = 1;
        if (f == 7)
            on = 0.2;
        if (f >= 21)
            on = 1 - (f - 20) / 4.0;
        QImage image = blank(size);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);

        if (on > 0.5) {
            QRadialGradient glow(glass, 50);
            glow.setColorAt(0, QColor(0xff, 0xf3, 0x80, int(200 * on)));
            glow.setColorAt(1, QColor(0xff, 0xf3, 0x80, 0));
            painter.setPen(Qt::NoPen);
            painter.setBrush(glow);
            painter.drawEllipse(glass, 50, 50);
            const qreal pulse = 0.5 + 0.5 * std::sin((f - 8) * M_PI / 3);
            painter.setPen(QPen(QColor(0xff, 0xb4, 0x00), 3.2, Qt::SolidLine, Qt::RoundCap));
            for (int i = 0; i < 9; ++i) {
                const qreal a = (-180 + i * 22.5) * M_PI / 180;
                const QPointF dir(std::cos(a), std::sin(a));
                const qreal inner = 32, outer = 40 + 8 * (i % 2 ? pulse : 1 - pulse);
                painter.drawLine(glass + dir * inner, glass + dir * outer);
            }
        }

        // Glass
        QPainterPath bulb;
        bulb.moveTo(glass + QPointF(-11, 22));
        bulb.cubicTo(glass + QPointF(-11, 12), glass + QPointF(-26, 8), glass + QPointF(-26, -6));
        bulb.cubicTo(glass + QPointF(-26, -22), glass + QPointF(-12, -28), glass + QPointF(0, -28));
        bulb.cubicTo(glass + QPointF(12, -28), glass + QPointF(26, -22), glass + QPointF(26, -6));
        bulb.cubicTo(glass + QPointF(26, 8), glass + QPointF(11, 12), glass + QPointF(11, 22));
        bulb.closeSubpath();
        QRadialGradient fill(glass + QPointF(-6, -10), 34);
        if (on > 0.5) {
            fill.setColorAt(0, QColor(0xff, 0xff, 0xf0));
            fill.setColorAt(0.5, QColor(0xff, 0xf0, 0x60));
            fill.setColorAt(1, QColor(0xff, 0xc8, 0x20));
        } else {
            fill.setColorAt(0, QColor(0xff, 0xff, 0xff));
            fill.setColorAt(1, QColor(0xd8, 0xdc, 0xe0));
        }
        painter.setPen(QPen(QColor(0x55, 0x55, 0x60), 2));
        painter.setBrush(fill);
        painter.drawPath(bulb);
        // Filament
        QPainterPath filament;
        filament.moveTo(glass + QPointF(-6, 22));
        filament.lineTo(glass + QPointF(-6, 2));
        filament.cubicTo(glass + QPointF(-4, -6), glass + QPointF(-1, -6), glass + QPointF(0, 0));
        filament.cubicTo(glass + QPointF(1, -6), glass + QPointF(4, -6), glass + QPointF(6, 2));
        filament.lineTo(glass + QPointF(6, 22));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(on > 0.5 ? QColor(0xe0, 0x60, 0x00) : QColor(0x80, 0x80, 0x88), 1.6));
        painter.drawPath(filament);
        // Shine
        painter.setPen(QPen(QColor(255, 255, 255, 220), 2.4, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(QRectF(glass - QPointF(19, 21), QSizeF(38, 38)), 115 * 16, 45 * 16);
        // Screw base
        painter.setPen(QPen(QColor(0x45, 0x45, 0x50), 1.4));
        for (int i = 0; i < 4; ++i) {
            painter.setBrush(i % 2 ? QColor(0x9a, 0xa0, 0xaa) : QColor(0xc4, 0xca, 0xd2));
            painter.drawRoundedRect(QRectF(glass.x() - 12 + i * 0.5, glass.y() + 22 + i * 5,
                                           24 - i, 5),
                                    2, 2);
        }
        painter.setBrush(QColor(0x45, 0x45, 0x50));
        painter.drawRoundedRect(QRectF(glass.x() - 5, glass.y() + 42, 10, 5), 2, 2);
        painter.end();
        frames.push_back({image, 100});
    }
    return frames;
}

QImage anotherRegionArrow()
{
    QImage image(28, 19, QImage::Format_RGB32);
    image.fill(QColor(0xc0, 0x00, 0x00));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor blue(0x00, 0x00, 0x80);
    painter.setPen(QPen(blue, 3, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    // Shaft: up from the bottom left, curving over to the right.
    QPainterPath shaft;
    shaft.moveTo(5.5, 17);
    shaft.lineTo(5.5, 12);
    shaft.cubicTo(5.5, 6, 9, 4.5, 14, 4.5);
    shaft.lineTo(18, 4.5);
    painter.drawPath(shaft);
    painter.setPen(Qt::NoPen);
    painter.setBrush(blue);
    painter.drawPolygon(QPolygonF({QPointF(18, -0.5), QPointF(25.5, 5), QPointF(18, 10.5)}));
    painter.end();
    return image;
}

} // namespace animations
