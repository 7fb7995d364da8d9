#include "ui.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace ui {

QFont designFont(const QString &family, double pointSize, bool bold)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

void setBackColour(QWidget *w, QRgb rgb)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(rgb));
    p.setColor(w->backgroundRole(), QColor(rgb)); // buttons fill with the Button role
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setButtonColour(QWidget *w, QRgb rgb)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Button, QColor(rgb));
    w->setPalette(p);
}

void setTextColour(QWidget *w, QRgb rgb)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, QColor(rgb));
    p.setColor(QPalette::Text, QColor(rgb));
    p.setColor(QPalette::ButtonText, QColor(rgb));
    w->setPalette(p);
}

void setBaseColour(QWidget *w, QRgb rgb)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, QColor(rgb));
    w->setPalette(p);
}

QLabel *plainLabel(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

QString literalMnemonicText(const QString &text)
{
    QString doubled = text;
    return doubled.replace(u'&', QStringLiteral("&&"));
}

void setCaption(QAbstractButton *button, const QString &text)
{
    button->setText(literalMnemonicText(text));
}

void setTitle(QGroupBox *box, const QString &title)
{
    box->setTitle(literalMnemonicText(title));
}

void installFontSubstitutions()
{
    // Liberation Sans is metric-compatible with Arial, so captions fit as designed.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

} // namespace ui
