// Positions and sizes of widgets in twips, the unit the window designs and
// layout rules are written in. Top-level windows report their outer size:
// the client area plus the frame a titled fixed window has.
#pragma once

#include "platform/units.h"

#include <QWidget>

namespace twips {

inline double left(const QWidget *w) { return units::toTwips(w->x()); }
inline double top(const QWidget *w) { return units::toTwips(w->y()); }
inline double width(const QWidget *w) { return units::toTwips(w->width()); }
inline double height(const QWidget *w) { return units::toTwips(w->height()); }

inline void setLeft(QWidget *w, double v) { w->move(units::toPixels(v), w->y()); }
inline void setTop(QWidget *w, double v) { w->move(w->x(), units::toPixels(v)); }
inline void setWidth(QWidget *w, double v) { w->resize(units::toPixels(v), w->height()); }
inline void setHeight(QWidget *w, double v) { w->resize(w->width(), units::toPixels(v)); }
inline void setGeometry(QWidget *w, double l, double t, double wd, double h)
{
    w->setGeometry(units::toPixels(l), units::toPixels(t), units::toPixels(wd), units::toPixels(h));
}

// A top-level window's outer extent and its frame allowance.
struct WindowFrame {
    int widthTwips = 0;
    int heightTwips = 0;
};
constexpr WindowFrame kTitledFrame{units::kTitledFrameWidthTwips, units::kTitledFrameHeightTwips};
constexpr WindowFrame kNoFrame{0, 0};

inline double outerWidth(const QWidget *w, WindowFrame f) { return width(w) + f.widthTwips; }
inline double outerHeight(const QWidget *w, WindowFrame f) { return height(w) + f.heightTwips; }
inline void setOuterSize(QWidget *w, WindowFrame f, double outerW, double outerH)
{
    w->setFixedSize(units::toPixels(outerW - f.widthTwips), units::toPixels(outerH - f.heightTwips));
}
inline void setOuterWidth(QWidget *w, WindowFrame f, double outerW)
{
    setOuterSize(w, f, outerW, outerHeight(w, f));
}
inline void setOuterHeight(QWidget *w, WindowFrame f, double outerH)
{
    setOuterSize(w, f, outerWidth(w, f), outerH);
}

} // namespace twips
