// The game's state: the loaded map's region tables, the quiz state and the
// interface texts, owned by the main window, plus the three values the
// test-finished dialog reaches as well.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

constexpr int kMaxRegions = 61;

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
    std::array<QString, kMaxRegions> regionNames;
    std::array<int, kMaxRegions> seedX1{};
    std::array<int, kMaxRegions> seedY1{};
    std::array<int, kMaxRegions> seedX2{}; // 0 when the region has no second area
    std::array<int, kMaxRegions> seedY2{};
    std::array<std::int16_t, kMaxRegions> seedX3{}; // 0 when there is no third area
    std::array<std::int16_t, kMaxRegions> seedY3{};

    // Loaded map.
    QString coordinatesPath;
    QString mapPictureFile;
    QString questionPrompt;
    std::int16_t regionCount = 0;

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
