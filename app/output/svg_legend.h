// The legend under a picture of cages: a key to the line styles, then one
// block per object (its name in its colour, the time, "SplineType", the
// counts of sections, connecting splines and knots), laid out in columns
// and rows so that no two blocks overlap however many objects there are.
#pragma once
#include <string>
#include <vector>
#include "app/host/cage_snapshot.h"

class SvgLegend {
public:
    SvgLegend(const std::vector<CageSnapshot>& objects, double top, double pageWidth, double margin, bool knotsMarked);

    double bottom() const;
    std::string render(const char* sectionColour, double sectionStroke, double connectionStroke,
                       double knotRadius) const;

private:
    std::string keyLine(const char* sectionColour, double sectionStroke, double connectionStroke,
                        double knotRadius) const;
    std::string objectBlock(const CageSnapshot& snapshot, int index) const;

    const std::vector<CageSnapshot>& objects;
    double top, margin;
    int columns;
    bool knotsMarked;
};
