#pragma once
// What a chart gives back besides its picture on the page: its data as text (for "View Data"
// or the clipboard), its picture on the clipboard, and the averages some result charts print
// in their note line.
//
// Chart data are pairs (x, y) stored one after the other. A pair whose x is above 1e30 is a
// separator: with y above 1e30 it starts a new line, otherwise it marks a line type.

#include <string>
#include <vector>

#include "platform/Picture.h"
#include "platform/Window.h"

// The format a number of an axis is exported with: the axis format ("%5.<d>f" or "%5.<d>e")
// with its digit raised by 2 when it is below 5. Anything else is taken as "%5.3f".
std::string ChartExportFormat(const std::string& axisFormat);

// The export text: a header with the titles, a column line, then one line per data pair
// ("New Line" for a line separator, "Line type : n" for a marker pair).
std::string ChartExportText(const std::vector<double>& data, const std::string& title, const std::string& xTitle,
                            const std::string& yTitle, const std::string& xFormat, const std::string& yFormat);

// Shows the text in "View Data" over the owner (show 1) or puts it on the clipboard (show 0),
// through the shared report text, which is free again afterwards.
void ExportChartText(const std::string& text, int show, plat::Window* owner);

// Averages over the data's lines by the trapezoid rule. The mean of x along y: 0 without
// data or without y extent. The mean of y along x: 3.1415626e31 without data, 0 without x
// extent.
double ChartAverageX(const std::vector<double>& data);
double ChartAverageY(const std::vector<double>& data);

// A note reading exactly "AverageX" or "AverageY" becomes "Average = " and that average in
// the axis's format; any other note comes back as it is.
std::string ChartAverageNote(const std::string& note, const std::vector<double>& data, const std::string& xFormat,
                             const std::string& yFormat);

// The frame of a box's picture in 0.01 mm: its size in pixels at the reference device's
// resolution.
plat::Rect ChartPictureFrame(int width, int height, const plat::DC& reference);

// Records the box and its child windows as a picture the size of the box and puts it on the
// clipboard; returns the picture.
plat::Picture CopyBoxPicture(plat::Window& box);
