#pragma once

// The nine ratings kept by the rating window's single instance: the horizontal pixel position
// (0 to 778) of the last press on each bar, in single precision, declared in this order. A
// `rated` flag per field tells a deliberate mark from a scale never pressed since start-up, so a
// report can print "  n/a " for the latter instead of a rating that was never made.
struct RatingFields {
    float ratingSpeakingRate = 0;
    float ratingRateRegularity = 0;
    float ratingDisfluency = 0;
    float ratingSyllableProductionIntegrity = 0;
    float ratingOverallArticulationAccuracy = 0;
    float ratingNaturalness = 0;
    float ratingLanguageCoherence = 0;
    float ratingPragmaticLanguageAppropriateness = 0;
    float ratingThoughtOrganization = 0;

    bool ratedSpeakingRate = false;
    bool ratedRateRegularity = false;
    bool ratedDisfluency = false;
    bool ratedSyllableProductionIntegrity = false;
    bool ratedOverallArticulationAccuracy = false;
    bool ratedNaturalness = false;
    bool ratedLanguageCoherence = false;
    bool ratedPragmaticLanguageAppropriateness = false;
    bool ratedThoughtOrganization = false;
};
