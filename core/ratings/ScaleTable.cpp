#include "core/ratings/ScaleTable.h"

#include <QString>

#include <array>

namespace {

constexpr int anchorHeight = 315;
constexpr const char *none = ScaleTable::nonePlaceholder;

constexpr LabelBox title(const char *name, const char *caption, int left, int width)
{
    return {name, caption, left, width, ScaleTable::titleHeight};
}

constexpr LabelBox anchor(const char *name, const char *caption, int left, int width,
                          int height = anchorHeight)
{
    return {name, caption, left, width, height};
}

using F = RatingFields;

constexpr std::array<ScaleRow, ScaleTable::count> table{{
    {"Speaking Rate", "Speaking rate", title("Label4", "Speaking Rate", 5160, 2055),
     anchor("Label18", "Very Slow", 240, 1215), anchor("Label27", "Very Fast", 11040, 975, 375),
     "SpeakingRateScale", "SpeakingRateScore", "SpeakingRate9", none, &F::ratingSpeakingRate,
     &F::ratedSpeakingRate, 2400, 2760, 0},
    {"Rate regularity", "Rate regularity", title("Label5", "Rate regularity", 5160, 1995),
     anchor("Label19", "Very regular", 240, 2055),
     anchor("Label26", "Not at all regular", 10320, 1695), "RateRegularityScale",
     "RateRegularityScore", "RateRegularity9", none, &F::ratingRateRegularity,
     &F::ratedRateRegularity, 3240, 3600, 2},
    {"Disfluency", "Disfluency", title("Disfluency", "Disfluency", 5520, 1395),
     anchor("Label16", "Not at all disfluent", 240, 1815),
     anchor("Label15", "Very disfluent", 10560, 1455), "DisfluencyScale", "DisfluencyScore",
     "Disfluency9", none, &F::ratingDisfluency, &F::ratedDisfluency, 4080, 4440, 46},
    {"Syllable production integrity", "Syllable production integrity",
     title("Label6", "Syllable production integrity", 4440, 3735),
     anchor("Label20", "Very accurate", 240, 1935),
     anchor("Label23", "Not at all accurate", 10200, 1815), "SyllableProductionIntegrityScale",
     "SyllableProductionIntegrityScore", "SyllableProductionIntegrity9", none,
     &F::ratingSyllableProductionIntegrity, &F::ratedSyllableProductionIntegrity, 4920, 5280, 3},
    // The window's title has two blanks before "accuracy"; the report's label has one.
    {"Overall articulation  accuracy", "Overall articulation accuracy",
     title("Label7", "Overall articulation  accuracy", 4320, 3915),
     anchor("Label21", "Very accurate", 240, 2055),
     anchor("Label24", "Not at all accurate", 10200, 1815), "OverallArticulationAccuracyScale",
     "OverallArticulationAccuracyScore", "OverallArticulationAccuracy9", none,
     &F::ratingOverallArticulationAccuracy, &F::ratedOverallArticulationAccuracy, 5760, 6120, 4},
    {"Naturalness", "Naturalness", title("Label8", "Naturalness", 5280, 1635),
     anchor("Label22", "Very Natural", 240, 1335), anchor("Label25", "Very unnatural", 10440, 1455),
     "NaturalnessScale", "NaturalnessScore", "Naturalness9", none, &F::ratingNaturalness,
     &F::ratedNaturalness, 6600, 6960, 5},
    // These two rows stand lower under their captions (480 twips rather than 360).
    {"Pragmatic language appropriateness", "Pragmatic language appropriateness",
     title("Label14", "Pragmatic language appropriateness", 3720, 4875),
     anchor("Label12", "Very appropriate", 240, 1815),
     anchor("Label10", "Not at all appropriate", 9840, 2295),
     "PragmaticLanguageAppropriatenessScale", "PragmaticLanguageAppropriatenessScore",
     "PragmaticLanguageAppropriateness9", none, &F::ratingPragmaticLanguageAppropriateness,
     &F::ratedPragmaticLanguageAppropriateness, 7440, 7920, 35},
    {"Language coherence", "Language coherence", title("Label13", "Language coherence", 4680, 2835),
     anchor("Label11", "Very coherent", 240, 1575),
     anchor("Label9", "Not at all coherent", 10080, 1935), "LanguageCoherenceScale",
     "LanguageCoherenceScore", "LanguageCoherence9", none, &F::ratingLanguageCoherence,
     &F::ratedLanguageCoherence, 8400, 8880, 34},
    {"Thought organization", "Thought organization",
     title("Label29", "Thought organization", 4680, 2955),
     anchor("Label30", "Very organized", 240, 1575),
     anchor("Label31", "Not at all organized", 10080, 1935), "ThoughtOrganizationScale",
     "ThoughtOrganizationScore", "ThoughtOrganization9", " Note", &F::ratingThoughtOrganization,
     &F::ratedThoughtOrganization, 9360, 9720, 52},
}};

} // namespace

std::span<const ScaleRow> ScaleTable::rows() { return table; }

const ScaleRow *ScaleTable::byBar(QStringView barName)
{
    for (const ScaleRow &row : table) {
        if (barName == QLatin1String(row.barName))
            return &row;
    }
    return nullptr;
}
