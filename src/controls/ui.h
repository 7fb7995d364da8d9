// Small helpers that give widgets their designed look: fonts, colours,
// graphical buttons.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QWidget;

namespace ui {

QFont designFont(const QString &family, double pointSize, bool bold = false);
void setBackColour(QWidget *w, QRgb rgb);   // fills the widget's background
void setButtonColour(QWidget *w, QRgb rgb); // the face of a graphical button
void setTextColour(QWidget *w, QRgb rgb);
void setBaseColour(QWidget *w, QRgb rgb);   // list and text boxes

// Text that comes from the program folder (a data file, a file name, the
// language file) is shown as it stands: never read as markup, which could
// make a label load an "image" from a device or a FIFO, and never with an
// "&" turned into a keyboard shortcut. Every caption of the windows goes
// through these.
QLabel *plainLabel(QWidget *parent, const QString &text = {});
void setCaption(QAbstractButton *button, const QString &text);
void setTitle(QGroupBox *box, const QString &title);
// The text a button or a group box must be given to show `text` literally.
QString literalMnemonicText(const QString &text);

// The fonts the designs name, served by metric-compatible free fonts.
void installFontSubstitutions();

} // namespace ui
