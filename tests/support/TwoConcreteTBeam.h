#pragma once
// The T-beam of two concrete types as a user's document (US units) holds it, for tests that
// open it through the program's own reader.

#include <string>

// The beam's element with its materials, outline, bars, tendon, stirrups and loads; further
// elements go, in the document's order, before the loads (a shrinkage profile) or after them
// (bar strains, a strain discontinuity, long-term settings).
inline std::string TwoConcreteTBeamElement(const std::string& beforeLoads = {}, const std::string& afterLoads = {})
{
    // The flange of 5802 psi, whose curve never reaches its strength, and the web of 4351 psi
    // by its own points (the main type), with bars, a tendon and stirrups.
    return R"(<q3g_beam name="T-beam" doneby="A. Engineer" date="2026/12/6" smx="  2.0" smt="  7.9" units="US">
<concrete fcp="5801.5" ft="362.59" tsfactor="0.8" maxagg="0.79" c_soft="9" t_stiff="3" name="Flange" />
<concrete fcp="4351.1" maxagg="0.75" c_mod="4" t_stiff="2" name="Web">
 0.000 0.00
 1.000 2900.75
 2.000 4351.13
 3.500 3625.94
</concrete>
<rebar fy="65.3" E="29008" fu="87.0" esh="8.0" eu="100.0" name="Bar" />
<rebar fy="72.8" E="29008" fu="79.8" esh="5.0" eu="50.0" name="Curve">
 0.000 0.00
 2.500 72518.85
 50.000 79770.74
</rebar>
<prestress fu="264.1" E="28282" name="Strand" />
<sectionSOLID>
 23.62 39.37
 19.69 39.37 "Flange"
 19.69 11.81
 0.00 11.81 "Web"
</sectionSOLID>
<longreinfx z="1.97" type="Bar" num="4" A="1.860" bartitle="20" />
<longreinfx z="3.94" type="Strand" drape="2.00" A="1.085" Ai="1.085" db="1.2" dep="6.00" name="tendon" />
<longreinfx z="21.65" type="Curve" space="11.8" num="2" A="1.550" Ai="0.775" db="1.0" name="top" />
<transreinfz A="0.310" type="Bar" pattern="2" space="5.91" disttop="22.4" distbot="1.2" bartitle="20" name="stirrups" />
)" + beforeLoads + R"(<sectloading BN="-22.5" BM="-36.9" MM="0.738" MV="0.450" />
)" + afterLoads + "</q3g_beam>";
}
