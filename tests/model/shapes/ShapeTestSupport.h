#pragma once
// A temporary program directory holding the shape files, with the shape tables emptied
// before and after each test.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/ProgramPaths.h"
#include "foundation/ReportText.h"
#include "model/shapes/ShapeLibrary.h"
#include "support/TestSupport.h"

struct ShapeLibraryTest : ::testing::Test, TempProgramDir {
    void SetUp() override
    {
        ShapeTable = {};
        StandardTable = {};
    }
    void TearDown() override
    {
        ShapeTable = {};
        StandardTable = {};
    }

    // Writes shape.dat with the content into the program directory and reads it.
    int LoadShapes(const std::string& content)
    {
        tmp.Write("program/shape.dat", content);
        return LoadShapeLibrary(0);
    }

    std::vector<std::string> ShapeNames() const
    {
        std::vector<std::string> names;
        for (const auto& shape : ShapeTable)
            if (shape)
                names.push_back(shape->name);
        return names;
    }

    std::string Report() const { return g_ReportText ? *g_ReportText : std::string(); }

    RecordingReporter reporter;
};

// Area enclosed by an outline given as (depth, full width) points from top to bottom: the
// right half (width/2, depth) down, the left half back up, by the shoelace formula.
inline double ShoelaceArea(const TSectionBase& shape)
{
    std::vector<std::pair<double, double>> polygon;
    for (int i = 0; i < shape.pointCount; ++i)
        polygon.emplace_back(shape.points[i].width / 2, shape.points[i].depth);
    for (int i = shape.pointCount - 1; i >= 0; --i)
        polygon.emplace_back(-shape.points[i].width / 2, shape.points[i].depth);
    double twice = 0.0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const auto& [x1, y1] = polygon[i];
        const auto& [x2, y2] = polygon[(i + 1) % polygon.size()];
        twice += x1 * y2 - x2 * y1;
    }
    return std::fabs(twice) / 2;
}
