// The "shape.dat" written when the program finds none: a commented description of the format
// and the four simple shapes RECT, CIRCLE, TBEAM and IBEAM.

#include "model/shapes/ShapeLibrary.h"

namespace {

const char* const kDefaultShapeLines[] = {
    "//",
    "//  This file defines all the simple shapes used by Quarvish-2000",
    "//  note that the standard shapes (PCI etc) are located in  standard.dat",
    "//",
    "//  Users can add more shapes to end of this file.  They will be available",
    "//  the next time the program is loaded",
    "//",
    "//  The format here is defined as follows:",
    "//",
    "//  TYPE name      title of section",
    "//  line           one text line describing the section",
    "//  name.ico       (optional) name of icon to for displays",
    "//                 (if not included a default user icon will be used)",
    "//  PARAMS b h     variable names to define the shape",
    "//  lines          one line for each variable as text definition",
    "//  SECTION        start of the section definition",
    "//  height width   one line for each change in geometry",
    "//                 simple math is allowed (+ - * / )",
    "//\t REBAR RECT\t\t rebar pattern symbols allowed: RECT, POLAR, BIPOLAR",
    "//\t\t\t\t\t\t RECT means rectangular reinforcement (like a beam)",
    "//\t\t\t\t\t\t POLAR means circular (like in a round column)",
    "//\t\t\t\t\t\t BIPOLAR means interlocking spirals pattern",
    "//  ENDTYPE        indicating end of the list",
    "//",
    "//  half circles and elliptical parts can be defined as:",
    "//",
    "//        height width",
    "//        code",
    "//        height width",
    "//",
    "//        with code = UP or DOWN indicating which side has the zero slope",
    "//",
    "//  Absolute dimensions in mm. Distance from bottom of section",
    "//  lines starting with 2 slashes are comment lines",
    "//",
    "//  see the default types below for examples",
    "//",
    // RECT
    "TYPE RECT",
    "\tRectangle Section",
    "PARAMS b h",
    "\tWidth of the Rectangle",
    "\tHeight of the Rectangle",
    "SECTION",
    "\th b",
    "\t0 b",
    "ENDTYPE",
    "//",
    "//",
    // CIRCLE
    "TYPE CIRCLE",
    "\tCircular Section",
    "PARAMS d",
    "\tDiameter of the Section",
    "SECTION",
    "\td 0",
    "\tUP",
    "\td*0.5 d",
    "\tDOWN",
    "\t0 0",
    "REBAR POLAR",
    "ENDTYPE",
    "//",
    "//",
    // TBEAM
    "TYPE TBEAM",
    "\tT-Beam Section",
    "PARAMS btop h bweb ttop",
    "\tTop flange width",
    "\tHeight of T Section",
    "\tWeb Width of Section",
    "\tTop flange thickness",
    "SECTION",
    "\th btop",
    "\th-ttop btop",
    "\th-ttop bweb",
    "\t0 bweb",
    "REBAR RECT",
    "ENDTYPE",
    "//",
    "//",
    // IBEAM
    "TYPE IBEAM",
    "\tI-Beam Section",
    "PARAMS btop h bweb ttop tbot bbot",
    "\tTop and bottom flange width",
    "\tHeight of I beam",
    "\tWeb thickness",
    "\tTop flange thickness",
    "\tBottom flange thickness",
    "  Bottom flange width",
    "SECTION",
    "\th btop",
    "\th-ttop btop",
    "\th-ttop bweb",
    "\ttbot bweb",
    "\ttbot bbot",
    "\t0 bbot",
    "REBAR RECT",
    "ENDTYPE",
    // closing
    "//",
    "//\tEnd of standard sections.  User may add more below this point",
    "//",
};

} // namespace

const std::string& DefaultShapeFileText()
{
    static const std::string text = [] {
        std::string all;
        for (const char* line : kDefaultShapeLines) {
            all += line;
            all += '\n';
        }
        return all;
    }();
    return text;
}
