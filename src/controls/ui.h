// Small helpers that give widgets their designed look: fonts, colours,
// graphical buttons.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace ui {

QFont designFont(const QString &family, double pointSize, bool bold = false);
void setBackColour(QWidget *w, QRgb rgb);   // fills the widget's background
void setButtonColour(QWidget *w, QRgb rgb); // the face of a graphical button
void setTextColour(QWidget *w, QRgb rgb);
void setBaseColour(QWidget *w, QRgb rgb);   // list and text boxes

// The fonts the designs name, served by metric-compatible free fonts.
void installFontSubstitutions();

} // namespace ui
