#include "app/output/cage_legend_text.h"
#include "app/output/count_text.h"
#include "app/scene/spline_type_names.h"

std::string cageTimeAndTypeText(const CageSnapshot& snapshot) {
    const int value = snapshot.splineType;
    std::string text = "time " + std::to_string(snapshot.time) + " \xC2\xB7 SplineType ";
    if (const char* caption = splineTypeCaption(value)) return text + caption + " (" + std::to_string(value) + ")";
    return text + std::to_string(value) + " (corner knots)";
}

std::string cageCountsText(const CageSnapshot& snapshot) {
    int copies = snapshot.sectionCopies;
    return countOf(copies, "section") + " \xC2\xB7 " +
           countOf(snapshot.splineCount - copies, "connecting spline") + " \xC2\xB7 " +
           countOf(snapshot.knotCount, "knot");
}
