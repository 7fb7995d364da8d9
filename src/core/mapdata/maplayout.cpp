#include "maplayout.h"

#include "platform/units.h"

#include <algorithm>
#include <climits>

QuizLayout arrangeQuizLayout(const TwipsRect &picture1, const TwipsRect &picture2,
                             double animador2Width)
{
    QuizLayout layout;
    layout.picture2Left = picture1.left;
    layout.label1Left = layout.picture2Left + picture2.width + 50;
    layout.picture2Top = picture1.bottom() + 100;
    layout.label1Top = layout.picture2Top + 100;
    layout.animadorLeft = picture1.right() + 25;
    layout.formHeight = layout.picture2Top + picture2.height + 600;
    layout.formWidth = layout.animadorLeft + animador2Width + 150;
    return layout;
}

StudyLayout arrangeStudyLayout(const TwipsRect &picture1, double list3Width)
{
    StudyLayout layout;
    const double besideCardButton = mapwindow::kCommand4Left + mapwindow::kCommand4Width + 50;
    layout.list3 = TwipsRect{std::max(picture1.right() + 50, besideCardButton), picture1.top, list3Width,
                             picture1.height + 75};
    layout.formWidth = layout.list3.right() + 150;
    constexpr double kCommand3Height = 360;
    layout.command3 = TwipsRect{layout.list3.left, layout.list3.top - kCommand3Height,
                                layout.list3.width, kCommand3Height};
    return layout;
}

MapWindowSize mapWindowSize(QSize picture)
{
    using units::kTitledFrameHeightTwips;
    using units::kTitledFrameWidthTwips;
    const TwipsRect picture1{mapwindow::kPicture1Left, mapwindow::kPicture1Top, units::toTwips(picture.width()),
                             units::toTwips(picture.height())};
    const TwipsRect picture2{0, 0, mapwindow::kPicture2Width, mapwindow::kPicture2Height};
    const QuizLayout quiz = arrangeQuizLayout(picture1, picture2, mapwindow::kAnimador2Width);
    const StudyLayout study = arrangeStudyLayout(picture1, mapwindow::kList3Width);
    // The window sets its outer size; the client area is what the frame leaves.
    const int height = units::toPixels(quiz.formHeight - kTitledFrameHeightTwips);
    return MapWindowSize{QSize(units::toPixels(quiz.formWidth - kTitledFrameWidthTwips), height),
                         QSize(units::toPixels(study.formWidth - kTitledFrameWidthTwips), height)};
}

bool mapWindowFits(QSize picture, QSize room)
{
    const MapWindowSize client = mapWindowSize(picture);
    const int width = std::max(client.quiz.width(), client.study.width());
    const int height = std::max(client.quiz.height(), client.study.height()) + mapwindow::kTitleBarPixels;
    return width <= room.width() && height <= room.height();
}

QSize largestMapPicture(QSize room)
{
    // Each side with the other one small, since neither affects the other.
    constexpr int kOtherSide = 1;
    int width = room.width();
    while (width > 0 && !mapWindowFits(QSize(width, kOtherSide), QSize(room.width(), INT_MAX)))
        --width;
    int height = room.height();
    while (height > 0 && !mapWindowFits(QSize(kOtherSide, height), QSize(INT_MAX, room.height())))
        --height;
    return QSize(width, height);
}

QSize mapWindowRoom(QSize screen)
{
    return screen.expandedTo(mapwindow::kSmallestScreen);
}
