// Painting on the map: the map click in both modes, the palette, and naming
// the region a study-mode click painted.
#include "windows/form1.h"

#include "controls/mapview.h"
#include "quiz/painting.h"

#include <QLabel>
#include <QListWidget>

namespace {
constexpr int kLeftButton = 1;
}

void Form1::Picture1_Mousedown(int Button, int /*Shift*/, double X, double Y)
{
    if (Button != kLeftButton)
        return;
    if (state.mode == PlayMode::Quiz) {
        surface.fill(X, Y);
        Picture1->refreshView();
        JudgeAnswer();
    } else {
        surface.refresh();
        surface.fill(X, Y);
        Picture1->refreshView();
        IdentifyPaintedRegion();
    }
}

void Form1::Picture2_mousedown(int /*Button*/, int /*Shift*/, double X, double Y)
{
    const qint64 c = Picture2->point(X, Y);
    if (c < 0)
        return;
    surface.setFillColor(QRgb(c));
}

void Form1::IdentifyPaintedRegion()
{
    const Identification found = identifyPaintedRegion(surface, state);
    if (found.region < 0) {
        setLabel1Caption(QString());
        return;
    }
    setLabel1Caption(state.regions[std::size_t(found.region)].regionName);
    if (found.pass != 1)
        return;
    state.targetRegion = found.region;
    // Selecting the item behaves as a click on it: the card closes and the
    // region's areas are all painted.
    if (list3Index() == found.region)
        List3_Click();
    else
        List3->setCurrentRow(found.region);
}
