// The game's state: the loaded map's region tables, the quiz state and the
// interface texts, owned by the main window, plus the three values the
// test-finished dialog reaches as well.
#pragma once

#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>

constexpr int kMaxRegions = 61;

// One region of the loaded map, as its line in the coordinates file gives it.
// A seed point with a zero member marks an area the region does not have.
struct RegionRecord {
    QString regionName;
    int seedX1 = 0;
    int seedY1 = 0;
    int seedX2 = 0; // 0 when the region has no second area
    int seedY2 = 0;
    std::int16_t seedX3 = 0; // 0 when there is no third area
    std::int16_t seedY3 = 0;

    static constexpr int kAreas = 3;

    // Seed point of area 0 (first), 1 (second) or 2 (third).
    QPoint seed(int area) const;

    // Whether the study-mode identification and highlight look at this area:
    // both members non-zero. The first area is always there.
    bool hasArea(int area) const;

    // Whether the permanent painting of a right answer fills this area: both
    // members above zero, which a negative seed does not pass.
    bool hasAreaToPaint(int area) const;
};

inline QPoint RegionRecord::seed(int area) const
{
    switch (area) {
    case 1:
        return {seedX2, seedY2};
    case 2:
        return {seedX3, seedY3};
    default:
        return {seedX1, seedY1};
    }
}

inline bool RegionRecord::hasArea(int area) const
{
    const QPoint p = seed(area);
    return area == 0 || (p.x() != 0 && p.y() != 0);
}

inline bool RegionRecord::hasAreaToPaint(int area) const
{
    const QPoint p = seed(area);
    return area == 0 || (p.x() > 0 && p.y() > 0);
}

// Which game the loaded map is played as, chosen with Option1 before a load.
enum class PlayMode { Study, Quiz };

// Values shared by every window of the program.
struct ProgramWide {
    std::int16_t hitCount = 0;   // right answers of this test, first try or later
    std::int16_t errorCount = 0; // wrong answers of this test
    bool anotherTestRequested = false;
};

struct GameState {
    // Region tables of the loaded map, indexed by the region's position in its
    // coordinates file. A load overwrites them from index 0 and never clears
    // them, so entries from regionCount on keep what an earlier map left.
    std::array<RegionRecord, kMaxRegions> regions;

    // Loaded map.
    QString coordinatesPath;
    QString mapPictureFile;
    QString questionPrompt;
    std::int16_t regionCount = 0;

    PlayMode mode = PlayMode::Study; // follows Option1

    // Quiz.
    int targetRegion = 0;           // region asked for (study mode: last identified)
    std::int16_t questionsAsked = 0; // regions drawn after the test's first one
    float score = 0.0f;             // regions right at the first try
    bool targetMissed = false;      // the region asked for was missed at least once
    bool lastAnswerWrong = false;   // read when the look animation ends

    // Interface texts from the language file.
    QString errorsLabel;
    QString hitsLabel;
    std::array<QString, 6> uiTexts;

    ProgramWide shared;

    // Back on the map-choice screen: the next map starts a new test.
    void resetTestCounters()
    {
        questionsAsked = 0;
        shared.hitCount = 0;
        shared.errorCount = 0;
        shared.anotherTestRequested = false;
    }
};
