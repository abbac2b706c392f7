// The default "rebar.dat", written when the catalogue file is missing. The numbers are kept
// as text exactly as they stand in the file (the ASTM values carry enough decimals to convert
// back to the exact imperial sizes).

#include "model/catalogues/TRebarList.h"

#include <array>

#include "foundation/StrFormat.h"

namespace {

struct DefaultBar {
    const char* name;
    const char* diameter; // mm
    const char* area;     // mm^2
};

struct DefaultGroup {
    std::vector<const char*> comments; // heading lines, each a "//" comment
    std::vector<DefaultBar> bars;
    bool alignDiameter = false; // diameter in a column of 7 characters ("#2  6.3    32.000")
};

const char* const kHeader[] = {
    "// Quarvish-2000 Data File",
    "//",
    "//  This file contains the definitions of all standard rebar/strand types",
    "//",
    "//  Users may add more types which will be available the next time that",
    "//  Quarvish-2000 is started.  Input is not case sensitive.",
    "//",
    "//  If bars are entered with the same name as existing ones, the first one will",
    "//    be used",
    "//  Bar title is limited to 14 characters. Spaces are allowed, but the first number",
    "//    found after the title is assumed to be the area.",
    "//",
    "//  Information is as follows:",
    "//",
    "//  Name code    Nominal Diameter (mm)    Nominal Area (mm^2)",
    "//",
    "// -- start of default listing --",
    "//",
};

// Areas of the bars named by their diameter in mm: pi d^2 / 4 to four significant figures.
const std::array<const char*, 36> kMmAreas = {
    "0.7854", "3.141", "7.069", "12.56", "19.63", "28.27", "38.48", "50.26", "63.6",
    "78.54",  "95.03", "113.1", "132.7", "153.9", "176.7", "201.1", "227.0", "254.5",
    "283.5",  "314.1", "346.4", "380.1", "415.5", "452.4", "490.1", "530.9", "572.6",
    "615.7",  "660.5", "706.9", "754.8", "804.2", "855.3", "907.9", "962.1", "1017.0",
};

std::vector<DefaultGroup> DefaultGroups()
{
    const std::vector<DefaultBar> astm = {
        {"#2", "6.3", "32.000"},
        {"#3", "9.525", "70.968"},
        {"#4", "12.700", "129.032"},
        {"#5", "15.875", "200.000"},
        {"#6", "19.050", "283.870"},
        {"#7", "22.225", "387.096"},
        {"#8", "25.400", "509.676"},
        {"#9", "28.651", "645.160"},
        {"#10", "32.258", "819.353"},
        {"#11", "35.814", "1006.450"},
        {"#14", "43.002", "1451.610"},
        {"#18", "57.328", "2580.640"},
    };
    // The US metric titles carry the sizes of #3 to #18 in order.
    const char* const usMetric[] =
        {"M10", "M13", "M16", "M19", "M22", "M25", "M29", "M32", "M36", "M43", "M57"};
    std::vector<DefaultBar> usMetricBars;
    for (std::size_t i = 0; i < std::size(usMetric); ++i)
        usMetricBars.push_back({usMetric[i], astm[i + 1].diameter, astm[i + 1].area});

    const std::vector<DefaultBar> csa = {
        {"10M", "11.3", "100"},
        {"15M", "16.0", "200"},
        {"20M", "19.5", "300"},
        {"25M", "25.2", "500"},
        {"30M", "29.9", "700"},
        {"35M", "35.7", "1000"},
        {"45M", "43.7", "1500"},
        {"55M", "56.4", "2500"},
    };
    const char* const csaPlain[] = {"10", "15", "20", "25", "30", "35", "45", "55"};
    std::vector<DefaultBar> csaPlainBars;
    for (std::size_t i = 0; i < std::size(csaPlain); ++i)
        csaPlainBars.push_back({csaPlain[i], csa[i].diameter, csa[i].area});

    return {
        {{"// CSA standard Reinforcing Bars"}, csa},
        {{"// Other name codes for CSA bars.. without M designation"}, csaPlainBars},
        {{"// ASTM standard reinforcing bars",
          "//  (yes, there are too many decimals to be realistic here,",
          "//  but they are there so that they convert to the correct value in imperial)"},
         astm,
         true},
        {{"// New US metric titles"}, usMetricBars, true},
        {{"// Some Misc Bars"},
         {{"D4", "5.7", "25.8"},
          {"D5", "6.4", "32.2"},
          {"D6", "7.0", "38.7"},
          {"D7", "7.6", "45.2"},
          {"D8", "8.1", "51.6"},
          {"D9", "8.6", "58.1"},
          {"D10", "9.1", "64.5"},
          {"D11", "9.5", "71.0"},
          {"D12", "9.9", "77.4"},
          {"D14", "10.7", "90.3"},
          {"D16", "11.5", "103.2"},
          {"D18", "12.2", "116.1"},
          {"D20", "12.8", "129.0"},
          {"D31", "16.0", "200.0"},
          {"D45", "19.2", "290.3"},
          {"oD6", "6.0", "28.3"},
          {"oD10", "10.0", "78.5"}}},
        {{"// Some Japanese Bars"},
         {{"JD6", "6.4", "32.0"},
          {"JD8", "8.0", "50.0"},
          {"JD10", "9.5", "71.0"},
          {"JD13", "12.7", "127.0"},
          {"JD16", "15.9", "199.0"},
          {"JD19", "19.1", "287.0"},
          {"JD22", "22.3", "387.0"},
          {"JD25", "25.5", "507.0"},
          {"JD29", "28.6", "642.0"},
          {"JD32", "31.8", "794.0"},
          {"JD35", "35.0", "957.0"},
          {"JD38", "38.2", "1140.0"},
          {"JD41", "41.4", "1340.0"}}},
        {{"// Some strands CSA (use an S and T designation for now)"},
         {{"S9", "9.52", "55"},
          {"S11", "11.13", "74"},
          {"S13", "12.70", "99"},
          {"S13S", "13.90", "107.7"},
          {"S13FAT", "13.90", "107.7"},
          {"S15", "15.24", "140"},
          {"T9", "9.52", "55"},
          {"T11", "11.13", "74"},
          {"T13", "12.70", "99"},
          {"T15", "15.24", "140"}}},
        {{"// Some strands US numbers (use an S designation)",
          "// Note that these are the 270 ksi areas "},
         {{"S.25", "6.35", "23.23"},
          {"S.375", "9.52", "54.83"},
          {"S.5", "12.70", "98.7"},
          {"S.5S", "13.80", "107.7"},
          {"S.5FAT", "13.80", "107.7"},
          {"S.6", "15.24", "140"}}},
        {{"//Deformed Prestressing bars (Dywidag)"},
         {{"PB15", "15.0", "177.0"},
          {"PB26", "26.5", "551.0"},
          {"PB32", "32.0", "804.0"},
          {"PB36", "36.0", "1018.0"}}},
    };
}

} // namespace

std::string DefaultRebarListing()
{
    std::string text;
    for (const char* line : kHeader) {
        text += line;
        text += '\n';
    }
    for (const DefaultGroup& group : DefaultGroups()) {
        text += "//\n";
        for (const char* comment : group.comments) {
            text += comment;
            text += '\n';
        }
        text += "//\n";
        for (const DefaultBar& bar : group.bars)
            text += group.alignDiameter
                        ? StrPrintf("%s  %-7s%s\n", bar.name, bar.diameter, bar.area)
                        : StrPrintf("%s  %s %s\n", bar.name, bar.diameter, bar.area);
    }
    // The bars named by their diameter: "1 mm" reads as the title "1 MM".
    text += "//\n//The following are defined nominal by diameter\n//\n";
    for (std::size_t i = 0; i < kMmAreas.size(); ++i)
        text += StrPrintf("%zu mm  %zu.0 %s\n", i + 1, i + 1, kMmAreas[i]);
    text += "// Users may add more here\n";
    return text;
}
