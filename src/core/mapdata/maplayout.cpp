#include "maplayout.h"

#include "surface/palette.h"
#include "platform/units.h"

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
    layout.list3 = TwipsRect{picture1.right() + 50, picture1.top, list3Width, picture1.height + 75};
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
    const TwipsRect picture2{0, 0, units::toTwips(palette::kWidth), units::toTwips(palette::kHeight)};
    const QuizLayout quiz = arrangeQuizLayout(picture1, picture2, mapwindow::kAnimador2Width);
    const StudyLayout study = arrangeStudyLayout(picture1, mapwindow::kList3Width);
    // The window sets its outer size; the client area is what the frame leaves.
    const int height = units::toPixels(quiz.formHeight - kTitledFrameHeightTwips);
    return MapWindowSize{QSize(units::toPixels(quiz.formWidth - kTitledFrameWidthTwips), height),
                         QSize(units::toPixels(study.formWidth - kTitledFrameWidthTwips), height)};
}
