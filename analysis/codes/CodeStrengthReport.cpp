#include "analysis/codes/CodeStrengthReport.h"

#include <cmath>
#include <cstdarg>

#include "analysis/codes/CodeStrength.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"

namespace {

// The placeholder title of a section that was never named.
constexpr const char* kUntitled = "Enter Title Here";

// Appends a formatted piece, keeping the text within its room.
void Append(std::string& text, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string& text, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const std::string piece = StrVPrintf(fmt, args);
    va_end(args);
    const std::size_t room = kCodeReportSize - 1;
    if (text.size() < room)
        text.append(piece, 0, room - text.size());
}

double Shown(double value, int kind)
{
    return ToDisplayUnits(value, kind);
}

const char* Label(int kind)
{
    return UnitLabel(kind);
}

bool Metric()
{
    return g_UnitSystem == kUnitSI;
}

// The shear depth and web width; the CSA text names the width b_w, the AASHTO text b_v.
void AppendShearSection(std::string& text, const CodeStrengthRecord& rec, const char* widthName)
{
    Append(text,
           Metric() ? "d_v = %5.0f %s  %s = %5.0f %s\r\n" : "d_v = %5.1f %s  %s = %5.1f %s\r\n",
           Shown(rec.dv, ukSectionLength),
           Label(ukSectionLength),
           widthName,
           Shown(rec.bv, ukSectionLength),
           Label(ukSectionLength));
}

void WriteCsaReport(const TBeam& beam, std::string& text)
{
    const ResistanceFactors& phi = g_ResistanceFactors;
    CodeStrengthRecord rec;
    BuildCodeStrengthRecord(beam, kCsa2014, rec);
    SolveCsaGeneralMethod(rec);

    if (beam.GetName() != kUntitled)
        Append(text, "%s\r\n", beam.GetName().c_str());
    if (std::fabs(rec.Nf) > 500.0)
        Append(text, "N_r = %5.0f %s  ", Shown(rec.Nf, ukForce), Label(ukForce));
    Append(text, "M_r = %5.1f %s  ", Shown(rec.Mf, ukMoment), Label(ukMoment));
    Append(text, "V_r = %5.1f %s", Shown(rec.Vf, ukForce), Label(ukForce));
    if (0.25 * phi.phi_c * rec.fc * rec.dv * rec.bv <= rec.Vf)
        Append(text, "\r\nShear strength controlled by 0.25f_c'b_vd_v\r\n");
    if (rec.ex >= 1e30)
        Append(text, "\r\n");
    else
        Append(text, "\r\n|e_x = %5.2f %s  ", Shown(rec.ex, ukStrain), Label(ukStrain));
    Append(text,
           Metric() ? "s_z_e = %5.0f %s\r\n" : "s_z_e = %5.1f %s\r\n",
           Shown(rec.sxe, ukSectionLength),
           Label(ukSectionLength));
    Append(text,
           "V_c = %5.1f %s   V_s = %5.1f %s\r\n",
           Shown(rec.Vc, ukForce),
           Label(ukForce),
           Shown(rec.Vs, ukForce),
           Label(ukForce));
    if (std::fabs(rec.Vp) > 0.0)
        Append(text, "V_p = %5.1f %s\r\n", Shown(phi.phi_p * rec.Vp, ukForce), Label(ukForce));
    else
        Append(text, "\r\n");
    AppendShearSection(text, rec, "b_w");
    Append(text, "|f_c = %4.2f  |f_s = %4.2f  |f_p = %4.2f\r\n", phi.phi_c, phi.phi_s, phi.phi_p);

    if (std::fabs(rec.Vc0) > 0.0)
        Append(text, "Loading neglects constant portion of shear.\r\n");
    if (rec.belowMinimum != 0 && rec.rhoVFy > 0.0)
        Append(text, "Stirrups neglected as minimum not provided");
    if (rec.compressionLimit != 0)
        Append(text, "Top flange compression force limit in effect\r\n");
    if (rec.sideCover != 0)
        Append(text,
               "Side cover spall should be considered but\r\nis neglected in this analysis.\r\n");
    if (rec.As + rec.Aps == 0.0)
        Append(text, "No flexural reinforcement on tension side!\r\n");
    if (std::fabs(rec.Ni) > 0.001)
        Append(text, "M/V Diagram drawn for constant axial load\r\n");
}

void WriteAashtoReport(const TBeam& beam, std::string& text, int variant)
{
    CodeStrengthRecord rec;
    BuildCodeStrengthRecord(beam, variant, rec);
    const double lambda = CodeShearStrength(beam, variant);

    if (IsUndefined(lambda)) {
        Append(text, "Negative Load Factor! Lower initial loads\r\n");
    } else {
        const bool moment = std::fabs(rec.Mc) > 1.0 || std::fabs(rec.Mi) > 0.001;
        const bool shear = std::fabs(rec.Vc0) > 1.0 || std::fabs(rec.Vi) > 0.001;
        if (std::fabs(rec.Nc) > 1.0 || (std::fabs(rec.Ni) > 0.001 && (moment || shear)))
            Append(text,
                   "N_u = %5.0f %s  ",
                   Shown(rec.Ni * lambda + rec.Nc, ukForce),
                   Label(ukForce));
        if (moment) {
            const double mu = Shown(rec.Mi * lambda + rec.Mc, ukMoment);
            Append(text, mu < 10.0 ? "M_u = %5.1f %s  " : "M_u = %5.0f %s  ", mu, Label(ukMoment));
        }
        if (shear) {
            const double vu = Shown(rec.Vi * lambda + rec.Vc0, ukForce);
            Append(text, vu < 10.0 ? "V_u = %5.1f %s" : "V_u = %5.0f %s", vu, Label(ukForce));
            if (!(Shown(0.25 * rec.fc * rec.dv * rec.bv, ukForce) > vu))
                Append(text, "\r\nShear strength controlled by 0.25f_c'b_vd_v\r\n");
        }
        Append(text, "\r\n");
    }
    AppendShearSection(text, rec, "b_v");
    Append(text, "Phi = 1.00\r\n");
    if (rec.rhoVFy <= AashtoMinimumStirrups(rec.fc)) {
        Append(text,
               Metric() ? "s_x = %5.0f %s\r\n" : "s_x = %5.1f %s\r\n",
               Shown(rec.sxe, ukSectionLength),
               Label(ukSectionLength));
        if (rec.rhoVFy > 0.0)
            Append(text,
                   "Less than minimum reinforcement\r\nStrength interpolated as in ACI paper by\r\n"
                   "Kelst and Hawmere, ACI 2001\r\n");
    }
    if (rec.fpo > 0.0)
        Append(text, "Code F_e = %5.3f\r\n", rec.Fe);
}

} // namespace

void WriteCodeStrengthReport(const TStructure* structure, std::string& text, int variant)
{
    text.clear();
    const TBeam* beam = dynamic_cast<const TBeam*>(structure);
    if (beam == nullptr || !(beam->GetHeight() > 0.0))
        return;
    if (variant == kCsa2014)
        WriteCsaReport(*beam, text);
    else if (variant == kAashto94 || variant == kAashto2000)
        WriteAashtoReport(*beam, text, variant);
}
