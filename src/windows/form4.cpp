#include "form4.h"

#include "windows/appinfo.h"
#include "controls/twips.h"
#include "controls/ui.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

Form4::Form4(const QPixmap &picture, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(appinfo::windowCaption());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    ui::setBackColour(this, kBackColour);

    // A picture box with a single flat border: the picture sits unscaled inside
    // a one-pixel black line, so the box is two pixels larger than the picture
    // each way, and the red margin frames it.
    Picture1 = ui::plainLabel(this);
    Picture1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Picture1->setLineWidth(kPictureBorder);
    Picture1->setMargin(0);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::setTextColour(Picture1, 0x000000);
    twips::setGeometry(Picture1, 120, 120, 4815, 3015);

    Form_Load(picture);
}

double Form4::outerWidth() const
{
    return twips::outerWidth(this, twips::kTitledFrame);
}

double Form4::outerHeight() const
{
    return twips::outerHeight(this, twips::kTitledFrame);
}

void Form4::Form_Load(const QPixmap &picture)
{
    Picture1->setPixmap(picture);
    Picture1->resize(picture.size() + QSize(2 * kPictureBorder, 2 * kPictureBorder));

    twips::setOuterSize(this, twips::kTitledFrame, twips::width(Picture1) + kExtraWidth,
                        twips::height(Picture1) + kExtraHeight);

    // Centred with the size as read back; a picture larger than the screen
    // puts the window's top-left part off screen, as designed.
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->size() : QSize(800, 600);
    const double top = units::centred(units::toTwips(area.height()), outerHeight());
    const double left = units::centred(units::toTwips(area.width()), outerWidth());
    move(units::toPixels(left), units::toPixels(top));
    update();
}
