#include "form1.h"

#include "windows/appinfo.h"
#include "localisation/languagefile.h"
#include "mapdata/maplayout.h"
#include "controls/animador.h"
#include "controls/clickableimage.h"
#include "platform/colours.h"
#include "platform/datafiles.h"
#include "platform/errorreport.h"
#include "platform/safefile.h"
#include "controls/filelistbox.h"
#include "controls/mapview.h"
#include "platform/numconv.h"
#include "surface/palette.h"
#include "platform/random.h"
#include "platform/soundplayer.h"
#include "controls/ui.h"

#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QDir>

namespace {

const QString kArial = QStringLiteral("Arial");
const QString kSansSerif = QStringLiteral("MS Sans Serif");

QPushButton *makeButton(QWidget *parent, QRgb colour)
{
    auto *button = new QPushButton(parent);
    ui::setButtonColour(button, colour);
    button->setAutoDefault(false);
    return button;
}

QListWidget *makeList(QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

Form1::Form1(SoundPlayer &soundPlayer, RandomGenerator &generator, const Platform &givenPlatform,
             QWidget *parent)
    : QWidget(parent), platform(givenPlatform), sound(soundPlayer), random(generator)
{
    setWindowTitle(appinfo::windowCaption());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    ui::setBackColour(this, kBackColour);
    createControls();
    connectHandlers();
    setTabOrder();
    // Designed client area 9510 x 6885 until the load step sets the outer size.
    twips::setOuterSize(this, twips::kTitledFrame, 9600, 7200);
}

Form1::~Form1() = default;

void Form1::createControls()
{
    Picture1 = new MapView(this);
    Picture1->setSurface(&surface);
    twips::setGeometry(Picture1, mapwindow::kPicture1Left, mapwindow::kPicture1Top, 3015, 2415);

    Picture2 = new PaletteView(this);
    twips::setGeometry(Picture2, 240, 6120, mapwindow::kPicture2Width, mapwindow::kPicture2Height);

    Label1 = ui::plainLabel(this);
    Label1->setFont(ui::designFont(kArial, 12, true));
    ui::setTextColour(Label1, 0x0000FF);
    twips::setGeometry(Label1, 3480, 6240, 60, 285);

    Animador1[0] = new Animador(platform.animation, this);
    twips::setGeometry(Animador1[0], 3600, 0, 1695, 1335);
    Animador2 = new Animador(platform.animation, this);
    twips::setGeometry(Animador2, 7680, 1680, mapwindow::kAnimador2Width, 1695);
    Animador3 = new Animador(platform.animation, this);
    twips::setGeometry(Animador3, 7680, 3840, 1815, 1935);

    List1 = makeList(this);
    ui::setBaseColour(List1, 0x0000FF);
    List1->setFont(ui::designFont(kArial, 14.25, true));
    twips::setGeometry(List1, 120, 360, 3015, 4020);
    List1->hide();
    List2 = makeList(this);
    ui::setBaseColour(List2, 0xFF0000);
    List2->setFont(ui::designFont(kArial, 14.25, true));
    twips::setGeometry(List2, 3240, 360, 2775, 4020);
    List2->hide();

    Command1[0] = makeButton(this, 0x8080FF);
    Command1[0]->setFont(ui::designFont(kArial, 12));
    twips::setGeometry(Command1[0], 120, 0, 1935, 375);
    Command1[1] = makeButton(this, 0xFF8080);
    Command1[1]->setFont(ui::designFont(kArial, 12));
    twips::setGeometry(Command1[1], 3240, 0, 2055, 375);
    for (int i = 0; i < 2; ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });

    File1 = new FileListBox(this);
    File1->setFont(ui::designFont(kSansSerif, 12));
    twips::setGeometry(File1, 240, 600, 6615, 3690);

    Label2 = ui::plainLabel(this);
    Label2->setFont(ui::designFont(kSansSerif, 12, true));
    twips::setGeometry(Label2, mapwindow::kLabel2Left, 0, mapwindow::kLabel2Width, 375);

    Command2 = makeButton(this, 0xC00000);
    Command2->setIcon(QPixmap(QStringLiteral(":/images/command2-arrow.png")));
    Command2->setIconSize(QSize(28, 19));
    Command2->setToolTip(QStringLiteral("Otra región"));
    twips::setGeometry(Command2, 5520, 0, 495, 375);

    Frame1 = new QGroupBox(QStringLiteral("Opciones"), this);
    ui::setBackColour(Frame1, 0xFFE0C0);
    twips::setGeometry(Frame1, 240, 4440, 6375, 855);
    // The two options have different containers, so the toolkit does not
    // group them; Option1_Click keeps them exclusive.
    Option1[0] = new QRadioButton(Frame1);
    Option1[1] = new QRadioButton(this);
    twips::setGeometry(Option1[0], 360, 0, 5055, 375);
    twips::setGeometry(Option1[1], 600, 4920, 5055, 375);
    for (int i = 0; i < 2; ++i) {
        Option1[i]->setAutoExclusive(false);
        ui::setBackColour(Option1[i], 0xFFE0C0);
        ui::setTextColour(Option1[i], 0x0000C0);
        Option1[i]->setFont(ui::designFont(kArial, 14.25));
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }
    Option1[0]->setChecked(true);
    Option1[1]->raise();

    List3 = makeList(this);
    twips::setGeometry(List3, 7200, 480, mapwindow::kList3Width, 6105);
    List3->hide();

    Command3 = makeButton(this, 0xC0FFC0);
    twips::setGeometry(Command3, 7200, 120, 1935, 375);
    Command3->hide();
    Command4 = makeButton(this, 0xFFC0FF);
    twips::setGeometry(Command4, mapwindow::kCommand4Left, 0, mapwindow::kCommand4Width, 375);
    Command4->hide();

    Frame2 = new QGroupBox(this);
    ui::setBackColour(Frame2, 0xFFFFC0);
    Frame2->setFont(ui::designFont(kArial, 12, true));
    twips::setGeometry(Frame2, 4200, 4920, 4215, 1815);
    Frame2->hide();
    Text2 = new QPlainTextEdit(Frame2);
    Text2->setFont(ui::designFont(kArial, 9.75));
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text2->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    twips::setGeometry(Text2, 120, 240, 855, 735);
    Label3 = ui::plainLabel(Frame2);
    Label3->setFont(ui::designFont(kSansSerif, 13.5));
    Label3->setWordWrap(true);
    twips::setGeometry(Label3, 1320, 600, 2760, 1080);
    Label3->hide();
    Image1 = new ClickableImage(Frame2);
    twips::setGeometry(Image1, 1560, 120, 855, 735);
    Animador4 = new Animador(platform.animation, Frame2);
    twips::setGeometry(Animador4, 120, 960, 975, 735);
    Text2->raise(); // the text stays above a picture that overlaps it

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
    Timer2 = new QTimer(this);
    Timer2->setInterval(300);
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Image1, &ClickableImage::clicked, this, &Form1::Image1_Click);
}

void Form1::setTabOrder()
{
    const QWidget *order[] = {Picture1, Picture2, List1,  List2,   Command1[0], Command1[1],
                              File1,    Command2, Option1[0], Option1[1], List3, Command3,
                              Command4, Text2};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget *>(order[i]), const_cast<QWidget *>(order[i + 1]));
}

void Form1::connectHandlers()
{
    connect(File1, &FileListBox::fileChosen, this, &Form1::File1_Click);
    connect(Picture1, &MapView::mouseDown, this,
            [this](int button, double x, double y) { Picture1_Mousedown(button, 0, x, y); });
    connect(Picture2, &PaletteView::mouseDown, this,
            [this](int button, double x, double y) { Picture2_mousedown(button, 0, x, y); });
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Animador1[0], &Animador::GifEnd, this, [this] { Animador1_GifEnd(0); });

    // The region list's click comes from any change of the selection, by the
    // learner (mouse or keys) or by the program, and from a press on the region
    // already selected. It is read from the selection, never from the current
    // row: a mouse press makes the row current before it selects it, and taking
    // the keyboard focus makes a row current without selecting it, which is no
    // choice and paints nothing.
    connect(List3, &QListWidget::itemSelectionChanged, this, [this] {
        if (list3Index() >= 0)
            List3_Click();
    });
    List3->viewport()->installEventFilter(this);
    connect(List3, &QListWidget::itemPressed, this, [this](QListWidgetItem *item) {
        if (List3->row(item) == list3SelectedBeforePress)
            List3_Click();
    });
}

int Form1::list3Index() const
{
    const QList<QListWidgetItem *> chosen = List3->selectedItems();
    return chosen.isEmpty() ? -1 : List3->row(chosen.first());
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == List3->viewport() && event->type() == QEvent::MouseButtonPress)
        list3SelectedBeforePress = list3Index();
    return QWidget::eventFilter(watched, event);
}

bool Form1::Form_Load()
{
    Picture1->hide();
    // Picture1 measures in pixels: the map widget works in picture pixels.
    ui::setTextColour(this, 0x000000);
    surface.setFillColor(0x0000FF);
    twips::setOuterSize(this, twips::kTitledFrame, 9600, 7200);
    Command1[0]->hide();
    Command1[1]->hide();
    Command2->hide();

    const auto loaded = LanguageFile::load(platform.programFolder);
    if (const auto *error = std::get_if<LoadError>(&loaded)) {
        platform.errors.report(*error, errorreport::Severity::Fatal);
        return false;
    }
    const auto &language = std::get<LanguageFile>(loaded);
    state.errorsLabel = language.line(2);
    state.hitsLabel = language.line(3);
    for (int i = 0; i < 6; ++i)
        state.uiTexts[std::size_t(i)] = language.line(4 + i);

    state.questionsAsked = 0;
    random.seedFromClock();
    Timer1->stop();
    state.shared.hitCount = 0;
    state.shared.errorCount = 0;
    state.shared.anotherTestRequested = false;
    state.targetMissed = false;

    const QString catalogue = datafiles::findFolder(platform.programFolder, QStringLiteral("Coordenadas"));
    if (catalogue.isEmpty()) {
        platform.errors.report(
            LoadError{QDir(platform.programFolder).filePath(QStringLiteral("Coordenadas")), 0, {},
                      QStringLiteral("No se encuentra la carpeta de los mapas. La instalación está "
                                     "incompleta: vuelve a instalar el juego.")},
            errorreport::Severity::Fatal);
        return false;
    }
    File1->setPath(catalogue);
    if (!safefile::canListFolder(catalogue)) {
        platform.errors.report(LoadError{catalogue, 0, {},
                                         QStringLiteral("No se puede leer la carpeta de los mapas: falta permiso "
                                                        "de lectura, así que no hay mapas que elegir.")},
                               errorreport::Severity::Recoverable);
    }

    ui::setCaption(Option1[0], state.uiTexts[2]);
    ui::setCaption(Option1[1], state.uiTexts[3]);
    ui::setCaption(Command3, state.uiTexts[4]);
    Timer2->start();
    centreOnScreen();
    return true;
}

void Form1::Form_Activate()
{
    if (!state.shared.anotherTestRequested)
        return;
    Picture1->hide();
    File1->show();
    state.resetTestCounters();
    Animador2->hide();
    Animador3->hide();
    Animador1[0]->hide();
    Option1[0]->show();
    Option1[1]->show();
    Frame1->show();
    File1->refresh();
    Command2->update();
    update();
}

int Form1::showModal(QDialog &dialog)
{
    const int result = dialog.exec();
    Form_Activate();
    return result;
}

void Form1::centreOnScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(800, 600);
    const double left = units::centred(units::toTwips(size.width()), outerWidth());
    const double top = units::centred(units::toTwips(size.height()), outerHeight());
    move(units::toPixels(left), units::toPixels(top));
}

void Form1::setLabel1Caption(const QString &text)
{
    Label1->setText(text);
    Label1->adjustSize();
}

void Form1::Option1_Click(int Index)
{
    // An option button stays set when clicked again; the other one is cleared.
    Option1[Index]->setChecked(true);
    Option1[Index == 0 ? 1 : 0]->setChecked(false);
    state.mode = Index == 1 ? PlayMode::Quiz : PlayMode::Study;
}

void Form1::Command1_Click(int Index)
{
    QListWidget *list = Index == 0 ? List1 : List2;
    list->setVisible(list->isHidden());
}

void Form1::Timer2_Timer()
{
    const auto k = numconv::roundHalfEven(double(random.next()) * 10 + 4);
    ui::setTextColour(Label1, colours::kStandard[std::size_t(k)]);
}
