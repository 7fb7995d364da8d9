// An image control: shows a picture at its natural size or, when stretching,
// scaled to the control's own size, and reports clicks.
#pragma once

#include <QLabel>
#include <QPixmap>

class ClickableImage : public QLabel {
    Q_OBJECT
public:
    explicit ClickableImage(QWidget *parent = nullptr);

    // Takes the picture at its natural size; when not stretching the control
    // resizes itself to it.
    void setPicture(const QPixmap &pixmap);
    const QPixmap &picture() const { return natural; }
    bool hasPicture() const { return !natural.isNull(); }

    void setStretch(bool on);
    bool stretch() const { return stretching; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPixmap natural;
    bool stretching = false;
};
