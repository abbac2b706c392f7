#include "views/GraphTables.h"


// clang-format off
const std::array<ProfileRecord, kProfileCount> g_ProfileRecords = {{
    {"Average Angle", "|q Angle", 12, 6, 1, 1, 1, 1},
    {"Transverse Average Bond", "Bond stress", 10, 6, 2, 1, 0, 1},
    {"Diagonal Spacing", "Spacing", 6, 6, 1, 1, 0, 1},
    {"Crack Widths", "Crack Width", 6, 6, 2, 1, 0, 1},
    {"Shear Stress", "Shear Stress", 10, 6, 2, 1, 0, 1},
    {"Long. Crack Spacing", "Spacing", 6, 6, 1, 1, 0, 1},
    {"Longitudinal Concrete Stress", "Stress", 10, 6, 1, 1, 1, 1},
    {"Longitudinal Strain", "|e_x Strain", 3, 6, 2, 1, 0, 1},
    {"Max Allowable Comp. Stress", "f_c_2max Stress", 10, 6, 1, 1, 1, 1},
    {"Max Shear on Crack", "|n_c_imax Stress", 10, 6, 2, 1, 0, 0},
    {"Principal Compressive Strain", "|e_2 Strain", 3, 6, 1, 1, 1, 1},
    {"Principal Compressive Stress", "f_2 Stress", 10, 6, 1, 1, 1, 1},
    {"Principal Tensile Strain", "|e_1 Strain", 3, 6, 1, 1, 1, 1},
    {"Principal Tensile Stress", "f_1 Stress", 10, 6, 2, 1, 1, 1},
    {"Shear on Crack", "|n_c_i shear", 10, 6, 2, 1, 1, 1},
    {"Shear Strain", "|g_x_y Strain", 3, 6, 2, 1, 1, 1},
    {"Shear Stress", "|n Stress", 10, 6, 2, 1, 1, 0},
    {"Long. Reinforcement Stress", "Stress", 11, 6, 1, 1, 0, 1},
    {"Stirrup Stress", "Stress", 11, 6, 1, 1, 1, 1},
    {"Stirrup Stress at Crack", "Stress", 11, 6, 1, 1, 0, 1},
    {"Transverse Crack Spacing", "s_m_l Spacing", 6, 6, 1, 1, 0, 1},
    {"Transverse Strain", "|e_t Strain", 3, 6, 1, 1, 1, 1},
    {"Z max horiz stress", "f_1_x", 10, 6, 1, 1, 0, 0},
    {"Long. Average Bond", "Bond Stress", 10, 6, 1, 1, 0, 1},
    {"Long. Local Bond", "Bond Stress", 10, 6, 1, 1, 0, 0},
    {"Transvserse Local Bond", "Bond Stress", 10, 6, 1, 1, 0, 0},
    {"Long. Reinf Stress at Crack", "f_s_c_r_a_c_k", 10, 6, 1, 1, 0, 1},
    {"Shrinkage & Thermal Strain", "strain", 3, 6, 1, 1, 0, 1},
    {"Stirrup Strain", "strain", 3, 6, 1, 1, 0, 1},
    {"f_1_c_x tension term", "stress", 10, 6, 1, 1, 0, 0},
    {"Thermal strain (ignored)", "|e_t_h_e_r_m", 3, 6, 1, 1, 0, 0},
}};

const std::array<LoadDeformationRecord, kLoadDeformationCount> g_LoadDeformationRecords = {{
    {"Longitudinal Strain ", "Long. Strain (%s)", "Axial Load (%s)", 3, 1, 1, 1, 20},
    {"Moment-Curvature", "Curvature (%s)", "Moment (%s)", 5, 2, 1, 1, -1},
    {"Moment-Reinforcement Strain", "Reinforcement strain (%s)", "Moment (%s)", 3, 2, 1, 1, 100},
    {"Shear-Max Crack Width", "Max Crack Width (%s)", "Shear (%s)", 6, 1, 1, 1, 10},
    {"Shear-Shear Strain", "Shear Strain (%s)", "Shear (%s)", 3, 1, 1, 1, 20},
    {"Shear-Transverse Strain", "Transverse Strain (%s)", "Shear (%s)", 3, 1, 1, 1, 20},
    {"M-N Interaction Diagram", "Moment (%s)", "Axial Load (%s)", 2, 1, 1, 1, -1},
    {"M-V Interaction Diagram", "Moment (%s)", "Shear Force (%s)", 2, 1, 1, 1, -1},
    {"N-V Interaction Diagram", "Axial Force (%s)", "Shear Force (%s)", 1, 1, 1, 1, -1},
    {"Moment-Max Crack Width", "Max Crack Width (%s)", "Moment (%s)", 6, 2, 1, 1, 10},
    {"AASHTO-94 M-V Interaction", "Moment (%s)", "Shear Force (%s)", 2, 1, 1, 1, -1},
    {"AASHTO-2000 M-V Interaction", "Moment (%s)", "Shear Force (%s)", 2, 1, 1, 1, -1},
    {"CSA-2014 M-V Interaction", "Moment (%s)", "Shear Force (%s)", 2, 1, 1, 1, -1},
    {"Energy-Curvature", "Curvature (%s)", "Energy per unit length (%s)", 5, 29, 1, 1, -1},
}};

const std::array<const char*, kLoadDeformationCount> g_LoadDeformationTitleFormats = {
    "%s-Long. Strain", "%s-Curvature", "%s-Reinforcement Strain", "%s-Max Crack Width",
    "%s-Shear Strain", "%s-Transverse Strain", "M-N Interaction", "M-V Interaction",
    "N-V Interaction", "%s-Max Crack Width", "", "", "", "Energy-Curvature",
};

namespace {
constexpr const char* kAlong = "Length along member (%s)";
} // namespace

const std::array<MemberGraphRecord, kMemberGraphCount> g_MemberGraphRecords = {{
    {"Bending Moment Diagram", kAlong, "Bending Moment (%s)", 6, 2, 0, 1, -1, 18, {0, 0}, {0, 0}},
    {"Shear Force Diagram", kAlong, "Shear Force (%s)", 6, 1, 0, 1, -1, 19, {20, 0}, {1, 0}},
    {"Curvature Distribution, |f", kAlong, "Curvature (%s)", 6, 5, 0, 1, -1, 2, {0, 0}, {0, 0}},
    {"Shear Strain Distribution |g_x_y", kAlong, "Shear Strain (%s)", 6, 3, 0, 2, -1, 3, {0, 0}, {0, 0}},
    {"Displaced Shape |D_Y", kAlong, "Deflection (%s)", 6, 6, 0, 1, -1, 4, {6, 5}, {6, 6}},
    {"Longitudinal Displacement |D_X", kAlong, "Deflection (%s)", 6, 6, 0, 1, -1, 7, {9, 8}, {6, 6}},
    {"Member Slope |q", kAlong, "Slope (%s)", 6, 12, 0, 2, -1, 10, {0, 0}, {0, 0}},
    {"Load Factor-Deflection", "Deflection (%s)", "Live Load Factor", 6, 0, 1, 1, -1, 0, {0, 0}, {0, 0}},
    {"Approx. Flexural Stiffness EI=M/|f", kAlong, "Flexural Stiffness (%s)", 6, 30, 1, 1, -1, 17, {14, 0}, {30, 0}},
    {"Approx. Shear Stiffness G= V/(A_g|g)", kAlong, "Shear Stiffness (%s)", 6, 11, 1, 1, -1, 16, {15, 0}, {11, 0}},
    {"Average Longitudinal Strain |e_x", kAlong, "Longitudinal strains (%s)", 6, 3, 0, 2, -1, 11, {12, 13}, {3, 3}},
    {"Effective Shear Force Diagram", kAlong, "Effective Shear Forces (%s)", 6, 1, 0, 1, -1, -1, {0, 0}, {0, 0}},
    {"Stirrups (A_vf_s/s)", kAlong, "Stirrup Steel (%s)", 6, 15, 0, 2, -1, 4016, {4020, 4027}, {0, 0}},
    {"Bottom Reinforcement A_sf_s", kAlong, "Mild steel force (%s)", 6, 1, 0, 1, -1, 4017, {4021, 4024}, {0, 0}},
    {"Top Reinforcement A_s'f_s", kAlong, "Mild steel force (%s)", 6, 1, 0, 1, -1, 4018, {4022, 4026}, {0, 0}},
    {"Bottom Prestress Force: A_pf_p", kAlong, "Prestressed steel force (%s)", 6, 1, 0, 1, -1, 4019, {4025, 0}, {0, 0}},
    {"Effective Stirrup Quantity", kAlong, "Effective Stirrup Quantity (%s)", 6, 15, 0, 1, -1, 4020, {4027, 0}, {0, 0}},
    {"Effective Bottom Reinforcement A_sf_s", kAlong, "Mild steel force (%s)", 6, 1, 0, 1, -1, 4021, {4024, 0}, {0, 0}},
    {"Effective Top Reinforcement A_sf_s", kAlong, "Mild steel force (%s)", 6, 1, 0, 1, -1, 4022, {4026, 0}, {0, 0}},
    {"Effective Bottom Prestress A_pf_s", kAlong, "Prestressed steel force (%s)", 6, 1, 0, 1, -1, 4023, {0, 0}, {0, 0}},
    {"Bottom mild steel demand", kAlong, "Demand on reinforcement (%s)", 6, 1, 0, 1, -1, 4024, {0, 0}, {0, 0}},
    {"Bottom AP steel demand", kAlong, "Demand on reinforcement (%s)", 6, 1, 0, 1, -1, 4025, {0, 0}, {0, 0}},
    {"Top mild steel demand", kAlong, "Demand on reinforcement (%s)", 6, 1, 0, 1, -1, 4026, {0, 0}, {0, 0}},
    {"Stirrup demand", kAlong, "Stirrup Demand (%s)", 6, 15, 0, 1, -1, 4027, {0, 0}, {0, 0}},
    {"Aggregate Interlock Demand", kAlong, "Shear on Crack (%s)", 6, 10, 0, 1, -1, 4028, {0, 0}, {0, 0}},
    {"Aggregete Interlock Stresses", kAlong, "Shear on Crack (%s)", 6, 10, 0, 1, -1, 4029, {4028, 0}, {0, 0}},
}};

const std::array<const char*, 6> g_FireTitles = {
    "Temperature", "Temperature", "Concrete Strength Factor", "Concrete Strength Factor",
    "Peak Concrete Strain Factor", "Peak Concrete Strain Factor",
};

namespace {
const ControlPairRecord kControlPairs[] = {
    {20, "Control : Axial Load - |e_x", "Axial Strain (%s)", "Axial Load (%s)", 3, 1},
    {21, "Control : Moment - |f", "Curvature (%s)", "Moment (%s)", 5, 2},
    {22, "Control : Moment - Axial Load", "Moment (%s)", "Axial Load (%s)", 2, 1},
    {23, "Control : Axial Load - Shear", "Axial Load (%s)", "Shear (%s)", 1, 1},
    {24, "Control : Moment - Shear", "Moment (%s)", "Shear (%s)", 2, 1},
    {25, "Control : Shear - |g_x_y", "Shear Strain (%s)", "Shear (%s)", 3, 1},
    {26, "Control : Shear - |e_x", "Axial Strain (%s)", "Shear (%s)", 3, 1},
    {27, "Control: Load Factor - |D", "Displacement (%s)", "Load Factor (%s)", 6, 0},
    {-2, "Control : Moment - |e_x", "Axial Strain (%s)", "Moment (%s)", 3, 2},
    {-1, nullptr, nullptr, nullptr, 3, 1},
    {500, "Control : Select Depth", "No Value", "Depth (%s)", 0, 6},
    {501, "Control : Dist. - Shear", "Location (%s)", "Shear Force (%s)", 6, 1},
    {502, nullptr, nullptr, nullptr, 6, 1},
    {503, "Control : Dist. - Moment", "Location (%s)", "Moment (%s)", 6, 2},
    {504, nullptr, nullptr, nullptr, 6, 0},
};
} // namespace
// clang-format on

const ControlPairRecord* FindControlPair(int id)
{
    for (const ControlPairRecord& r : kControlPairs)
        if (r.id == id)
            return &r;
    return nullptr;
}

const std::array<const char*, 6> g_NineGraphSetNames = {
    "General", "Cracking", "Reinforcement", "No Shear", "Mohr's Circles", "Thermal Conditions",
};

const std::array<std::array<int, 9>, 6> g_NineGraphSets = {{
    {2001, 7, 21, 2000, 15, 4, 11, 14, 13},
    {2001, 7, 12, 2000, 3, 0, 5, 20, 2},
    {2001, 7, 21, 17, 26, 23, 18, 19, 1},
    {2001, 7, 27, 2000, 17, 26, 6, 2003, 2002},
    {2100, 2102, 2104, 204, 206, 2116, 213, 207, 212},
    {2110, 2112, 2114, 2111, 2113, 2115, 2120, 2121, 30},
}};

const std::array<const char*, 4> g_MemberSetNames = {
    "Moment and Shear", "Deformations and Rotations", "Stiffness and Axial", "Reinforcement ",
};

const std::array<std::array<int, 5>, 4> g_MemberSets = {{
    {4000, 4004, 4005, 4006, 4007},
    {4003, 4008, 4010, 4009, 4011},
    {4002, 4012, 4013, 4014, 4011},
    {4001, 4016, 4018, 4019, 4017},
}};

BeamChartClass ChartClassOfGraph(int id, bool fullSizePosition)
{
    using C = BeamChartClass;
    switch (id) {
    case 2000: return C::BeamDiagram;
    case 2001: return C::RichBeam;
    case 2002: return C::NPlusM;
    case 2003: return C::ForceDiagram;
    case 2103: return C::Panel;
    case 2109: return C::DurnavoTable;
    case 2107: case 2110: case 2112: case 2114: return C::ContourColour;
    case 2108: case 2111: case 2113: case 2115: return C::Contour3D;
    case 2200: return C::VShell;
    case 2201: return C::Block;
    case 2202: return C::Section;
    default: break;
    }
    if (id >= 2100 && id <= 2102)
        return C::Mohr;
    if (id >= 2104 && id <= 2106)
        return C::NodeData;
    if (id >= 2116 && id <= 2119)
        return C::VitalSigns;
    if (id >= 2120 && id <= 2122)
        return C::MaterDiagram;
    if (id >= 4000 && id <= 4003)
        return C::WideCrack;
    if (id >= 4100 && id <= 4104)
        return C::Barchart;
    if (id >= 4200 && id <= 4599)
        return C::ColourMap;
    if (id >= 4700 && id <= 4702)
        return C::Plot3D;
    if (id >= 1000 || fullSizePosition)
        return C::BigChart;
    return C::IconChart;
}
