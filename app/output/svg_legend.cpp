#include "app/output/svg_legend.h"
#include <algorithm>
#include "app/output/cage_legend_text.h"
#include "app/output/svg_text.h"
#include "app/output/svg_writer.h"

namespace {

const double KEY_HEIGHT = 28.0;
const double COLUMN_WIDTH = 480.0;
const double BLOCK_HEIGHT = 66.0;
const double LINE_HEIGHT = 18.0;
const double SWATCH_LENGTH = 28.0;
const char* const TEXT_COLOUR = "#212529";

std::string text(double x, double y, const std::string& content, const std::string& extra = "") {
    return "<text x=\"" + svgNumber(x) + "\" y=\"" + svgNumber(y) + "\" font-size=\"13\" fill=\"" + TEXT_COLOUR +
           "\"" + extra + ">" + xmlEscape(content) + "</text>\n";
}

std::string swatch(double x, double y, const std::string& colour, double width) {
    return "<line x1=\"" + svgNumber(x) + "\" y1=\"" + svgNumber(y) + "\" x2=\"" + svgNumber(x + SWATCH_LENGTH) +
           "\" y2=\"" + svgNumber(y) + "\" stroke=\"" + colour + "\" stroke-width=\"" + svgNumber(width) + "\"/>\n";
}

}  // namespace

SvgLegend::SvgLegend(const std::vector<CageSnapshot>& all, double legendTop, double pageWidth, double pageMargin,
                     bool marked)
    : objects(all), top(legendTop), margin(pageMargin), knotsMarked(marked) {
    columns = std::max(1, static_cast<int>((pageWidth - 2.0 * margin) / COLUMN_WIDTH));
}

double SvgLegend::bottom() const {
    int rows = (static_cast<int>(objects.size()) + columns - 1) / columns;
    return top + KEY_HEIGHT + rows * BLOCK_HEIGHT;
}

std::string SvgLegend::keyLine(const char* sectionColour, double sectionStroke, double connectionStroke,
                               double knotRadius) const {
    double y = top + 10.0, x = margin;
    std::string svg = swatch(x, y, sectionColour, std::max(sectionStroke, 2.0));
    svg += text(x + SWATCH_LENGTH + 8.0, y + 4.5, "section copies");
    x += 190.0;
    svg += swatch(x, y, connectionColour(0), std::max(connectionStroke, 1.0));
    svg += text(x + SWATCH_LENGTH + 8.0, y + 4.5, "connecting splines (one colour per object)");
    x += 370.0;
    if (!knotsMarked) return svg + text(x, y + 4.5, "knots not marked (more than " +
                                                        std::to_string(MAX_KNOT_MARKS) + ")");
    svg += "<circle cx=\"" + svgNumber(x + 6.0) + "\" cy=\"" + svgNumber(y) + "\" r=\"" +
           svgNumber(std::max(knotRadius, 2.5)) + "\" fill=\"" + sectionColour + "\"/>\n";
    return svg + text(x + 18.0, y + 4.5, "knots");
}

std::string SvgLegend::objectBlock(const CageSnapshot& snapshot, int index) const {
    double x = margin + (index % columns) * COLUMN_WIDTH;
    double y = top + KEY_HEIGHT + (index / columns) * BLOCK_HEIGHT + 14.0;
    std::string svg = "<g class=\"legend-entry\">\n";
    svg += swatch(x, y - 4.5, connectionColour(index), 4.0);
    svg += text(x + SWATCH_LENGTH + 8.0, y, shortenedName(snapshot.name), " font-weight=\"bold\"");
    svg += text(x + SWATCH_LENGTH + 8.0, y + LINE_HEIGHT,
                cageTimeAndTypeText(snapshot));
    svg += text(x + SWATCH_LENGTH + 8.0, y + 2.0 * LINE_HEIGHT, cageCountsText(snapshot));
    return svg + "</g>\n";
}

std::string SvgLegend::render(const char* sectionColour, double sectionStroke, double connectionStroke,
                              double knotRadius) const {
    std::string svg = "<g class=\"legend\">\n" + keyLine(sectionColour, sectionStroke, connectionStroke, knotRadius);
    for (std::size_t i = 0; i < objects.size(); ++i) svg += objectBlock(objects[i], static_cast<int>(i));
    return svg + "</g>\n";
}
