#include "form3.h"

#include "windows/appinfo.h"
#include "windows/form1.h"
#include "localisation/languagefile.h"
#include "controls/animador.h"
#include "platform/colours.h"
#include "platform/datafiles.h"
#include "platform/numconv.h"
#include "platform/random.h"
#include "controls/twips.h"
#include "controls/ui.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

const QString kArial = QStringLiteral("Arial");
constexpr QRgb kTitleStartColour = 0xFF0000;
constexpr QRgb kContactColour = 0x0000FF;
constexpr QRgb kButtonColour = 0x80FFFF;
constexpr int kTitleIntervalMs = 300;
const QSize kBackgroundSize(547, 367);

// The world map the screen is designed around. Until the artwork is built
// into the program, a sketch in the same flat colours stands in for it.
QPixmap loadBackground()
{
    QPixmap picture(QStringLiteral(":/images/startup-background.png"));
    if (!picture.isNull())
        return picture;

    picture = QPixmap(kBackgroundSize);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setPen(Qt::black);
    struct Blob {
        QRect rect;
        QRgb colour;
    };
    const Blob continents[] = {
        {{40, 60, 150, 110}, 0x00C000},  // North America
        {{130, 180, 70, 130}, 0xFFFF00}, // South America
        {{250, 60, 70, 50}, 0xFFFF00},   // Europe
        {{240, 130, 90, 120}, 0xFF0000}, // Africa
        {{320, 50, 170, 120}, 0x0000FF}, // Asia
        {{420, 220, 80, 55}, 0x00C000},  // Australia
    };
    for (const Blob &b : continents) {
        p.setBrush(QColor(b.colour));
        p.drawEllipse(b.rect);
    }
    return picture;
}

QLabel *makeLabel(QWidget *parent, const QString &text, double pointSize,
                  double left, double top, double width, double height)
{
    auto *label = ui::plainLabel(parent, text);
    label->setFont(ui::designFont(kArial, pointSize, true));
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    twips::setGeometry(label, left, top, width, height);
    // The credits are ours, not the ones the boxes were drawn for: a box
    // grows to its text rather than cutting it.
    if (label->sizeHint().width() > label->width())
        label->resize(label->sizeHint().width(), label->height());
    return label;
}

// For the start-up bench: when MAPURIX_REPORT_STARTUP is set, the moment the
// title screen is first painted goes to the standard error stream.
void reportFirstPaint()
{
    static bool reported = false;
    if (reported || qEnvironmentVariableIsEmpty("MAPURIX_REPORT_STARTUP"))
        return;
    reported = true;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::fprintf(stderr, "mapurix-startup-painted %lld\n",
                 static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    std::fflush(stderr);
}

} // namespace

Form3::Form3(SoundPlayer &soundPlayer, RandomGenerator &generator, const Platform &givenPlatform,
             QWidget *parent)
    : QWidget(parent), sound(soundPlayer), random(generator), platform(givenPlatform),
      background(loadBackground())
{
    setWindowTitle(appinfo::windowCaption());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    ui::setBackColour(this, kBackColour);
    twips::setOuterSize(this, twips::kTitledFrame, kClientWidthTwips + twips::kTitledFrame.widthTwips,
                        kClientHeightTwips + twips::kTitledFrame.heightTwips);
    createControls();
}

Form3::~Form3() = default;

void Form3::createControls()
{
    Label1 = ui::plainLabel(this, QStringLiteral("Mapurix"));
    Label1->setFont(ui::designFont(kArial, 48, true));
    Label1->setAttribute(Qt::WA_TranslucentBackground);
    ui::setTextColour(Label1, kTitleStartColour);
    twips::setGeometry(Label1, 1920, 240, 4335, 1215);

    Animador1 = new Animador(platform.animation, this);
    twips::setGeometry(Animador1, 120, 360, 2295, 1575);
    Animador2 = new Animador(platform.animation, this);
    twips::setGeometry(Animador2, 6480, 240, 2295, 2055);

    Label3 = makeLabel(this, QStringLiteral("Autor"), 14.25, 120, 2640, 975, 495);
    Label2[0] = makeLabel(this, QStringLiteral("El equipo de Mapurix"), 14.25, 120, 3000, 6015, 615);
    Label2[2] = makeLabel(this, appinfo::kContactAddress, 14.25, 120, 3360, 2175, 615);
    ui::setTextColour(Label2[2], kContactColour);
    Label2[3] = makeLabel(this, QStringLiteral("Colaboración"), 14.25, 120, 3840, 2535, 615);
    Label2[4] = makeLabel(this, QStringLiteral("Natural Earth, Instituto Geográfico Nacional"), 14.25,
                          120, 4200, 4215, 615);
    Label2[5] = makeLabel(this, QStringLiteral("naturalearthdata.com, ign.es"), 14.25,
                          120, 4560, 3375, 615);
    ui::setTextColour(Label2[5], kContactColour);
    Label2[1] = makeLabel(this, QStringLiteral("Noviembre 2002"), 14.25, 120, 5040, 2775, 615);

    Command1 = new QPushButton(this);
    Command1->setFont(ui::designFont(kArial, 24, true));
    ui::setButtonColour(Command1, kButtonColour);
    Command1->setAutoDefault(false);
    twips::setGeometry(Command1, 4320, 4680, 3735, 615);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);

    Timer1 = new QTimer(this);
    Timer1->setInterval(kTitleIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &Form3::Timer1_Timer);
    Timer1->start();
}

double Form3::outerWidth() const
{
    return twips::outerWidth(this, twips::kTitledFrame);
}

double Form3::outerHeight() const
{
    return twips::outerHeight(this, twips::kTitledFrame);
}

bool Form3::Form_Load()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->size() : QSize(800, 600);
    const double left = units::centred(units::toTwips(area.width()), outerWidth());
    const double top = units::centred(units::toTwips(area.height()), outerHeight());
    move(units::toPixels(left), units::toPixels(top));

    Animador1->setGifFile(datafiles::dataFile(platform.programFolder, QStringLiteral("gifs"), QStringLiteral("idea.gif")));
    Animador2->setGifFile(
        datafiles::dataFile(platform.programFolder, QStringLiteral("gifs"), QStringLiteral("la_tierra.gif")));

    const auto loaded = LanguageFile::load(platform.programFolder);
    if (const auto *error = std::get_if<LoadError>(&loaded)) {
        platform.errors.report(*error, errorreport::Severity::Fatal);
        return false;
    }
    ui::setCaption(Command1, std::get<LanguageFile>(loaded).line(1));
    return true;
}

void Form3::Timer1_Timer()
{
    // 0 and 15 come half as often as the others: they only take half a step.
    const auto n = numconv::roundHalfEven(double(random.next()) * 15);
    ui::setTextColour(Label1, colours::kStandard[std::size_t(n)]);
}

void Form3::Command1_Click()
{
    if (form1)
        return;
    form1 = std::make_unique<Form1>(sound, random, platform);
    if (!form1->Form_Load()) {
        // The installation is broken and has been reported: nothing to open.
        form1.reset();
        close();
        if (platform.endProgram)
            platform.endProgram(EXIT_FAILURE);
        return;
    }
    // The main window's load ends the start-up screen, which is never shown
    // again. The main window is shown first so that the program does not see
    // its last window closing.
    Timer1->stop();
    form1->show();
    close();
}

void Form3::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(0, 0, background);
    reportFirstPaint();
}
