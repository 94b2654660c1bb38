#pragma once

#include <optional>
#include <span>
#include <string_view>

// The legend of the allowable pitting power picture: which symbol lies under
// a point of the picture (twips from its top left corner), the text naming
// it and the tab and box where its value is entered.
namespace cindrel::agma {

struct LegendRegion {
    double yFrom, yTo;   // inclusive, except the middle band (see legendAt)
    double xFrom, xTo;   // inclusive
    std::string_view text;
    int tab = -1;        // -1: no tab; the symbol is not entered
    std::string_view box;
    int index = -1;
};

// The regions of the pitting picture, band by band.
std::span<const LegendRegion> pittingLegend();

// What a point does to the legend line.
struct LegendHit {
    enum class Line { Set, Clear, Keep };
    Line line = Line::Clear;
    const LegendRegion* region = nullptr; // set with Line::Set
};

// In the symbol bands (180..480 and 690..960) a point outside every region
// empties the line; between them (480 < y < 690) a point outside the one
// region keeps it; above and below the bands it is emptied.
LegendHit legendAt(double x, double y);

} // namespace cindrel::agma
