#pragma once
// Width raster of a cross-section given as triangles on an integer grid.
//
// Grid points are (column, row); rows run in the depth direction. Every triangle adds its
// width at each row it covers, and its vertices are kept as division locations. Walking the
// sorted locations from bottom to top then yields the section's layers of constant or
// linearly varying width, each with the concrete tag that dominates it.
//
// Use: Init, AddTriangle any number of times, SortLocations, NextDivision while HasMore, Free.
// Triangles reaching outside the raster are clipped to its rows 0 .. rows-1.

#include <cstdint>
#include <optional>
#include <vector>

#include "foundation/TDepthTable.h"

// Tag of a row that no triangle has reached yet.
inline constexpr std::uint16_t kNoDivisionTag = 65535;

struct TGridPoint {
    int column = 0;
    int row = 0;
};

// One layer found by NextDivision: from lowerRow (width lowerWidth) up to upperRow, whose
// width just below it is upperWidth; tag is the concrete of its middle row.
struct TDivision {
    int upperRow = 0;
    int upperWidth = 0;
    int lowerRow = 0;
    int lowerWidth = 0;
    std::uint16_t tag = kNoDivisionTag;

    bool operator==(const TDivision&) const = default;
};

class TDivisionRows {
public:
    TDivisionRows() = default;

    // Builds an empty raster of 2n + 10 rows (after freeing any earlier one). Answers 1, or 0
    // when n is negative, above 10,000,000 or the raster cannot be allocated; then there is
    // no raster.
    int Init(int n);
    // Releases the row arrays and the division locations.
    void Free();
    // Adds the triangle's width to every row from its lowest vertex row up to, but not
    // including, its highest, and records its vertices as division locations. Sets
    // conflict to 1 when a row it reaches already carries another tag. Answers 1.
    int AddTriangle(TGridPoint p1, TGridPoint p2, TGridPoint p3, std::uint16_t tag, int& conflict);
    // Sorts the division locations by ascending row and restarts the walk. Answers 1.
    int SortLocations();
    // True while a location above the one at the cursor remains.
    bool HasMore() const;
    // The next layer. Locations fewer than 5 rows above its lower row whose width differs
    // from the lower row's by less than 5 are merged into it; the last location always closes
    // the last layer. Answers an empty division (rows 0, no tag) once HasMore is false.
    TDivision NextDivision();

    // Column at which edge (x1, y1)-(x2, y2) crosses row r, or nothing when it does not (a
    // horizontal edge never crosses). Rounds by truncating x + 0.5 toward zero. No column
    // value doubles as the marker, so no real crossing can be mistaken for none.
    static std::optional<int> RowIntersection(int x1, int y1, int x2, int y2, int r);

    int GetRows() const { return rows; }
    int GetNoneValue() const { return none; }
    bool HasRaster() const { return !widths.empty(); }
    // Width and tag of a row; rows outside the raster have width 0 and no tag. Without a
    // raster a width read reports an integrity fault and answers -1.
    int GetWidth(int row) const;
    std::uint16_t GetTag(int row) const;
    const TDepthTable& GetLocations() const { return locations; }

private:
    void AddWidth(int row, std::int64_t width, std::uint16_t tag);
    int LocationRow(int index) const;
    void ReportMissingRaster() const;

    std::vector<std::int32_t> widths; // summed width per row, grid units
    std::vector<std::uint16_t> tags;  // dominating tag per row
    int rows = 0;
    int none = 65535; // the raster's "no intersection" value: 65535, or 4000000 from 63000 rows
    TDepthTable locations{"division locations"};
    int cursor = 0;
};
