// The beam mode's texts: legends, the material lines, the steel counts and the section report.

#include <string>

#include "analysis/TQuarvish2000Analysis.h"
#include "analysis/TSectionalAnalysis.h"
#include "analysis/codes/CodeStrengthReport.h"
#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "files/report/SectionReport.h"
#include "foundation/ReportText.h"
#include "foundation/TTextBuffer.h"
#include "member/MemberEvents.h"
#include "model/TBeam.h"
#include "views/TQ2k_Logic.h"

namespace {

// An entry with an inline sample of line type letter ('c' 99, 'd' 100, 'e' 101).
std::string Entry(char letter, const char* text)
{
    std::string s;
    s += '\x01';
    s += ' ';
    s += letter;
    s += '\x02';
    s += ' ';
    s += text;
    return s;
}

struct LegendLine {
    char letter;
    const char* text;
};

std::string Lines(std::initializer_list<LegendLine> lines, bool lastBreak = true)
{
    std::string s;
    std::size_t i = 0;
    for (const LegendLine& l : lines) {
        s += Entry(l.letter, l.text);
        if (++i < lines.size() || lastBreak)
            s += "\r\n";
    }
    return s;
}

} // namespace

void TQ2k_Logic::GetLegendText(std::string& text, int& code)
{
    text.clear();
    const int id = code;
    switch (id) {
    case 1013:
        text = Lines({{'c', "Sectional forces based"}, {'d', "Strain energy based"}}, false);
        code = 3;
        break;
    case 4012:
    case 4013:
        text = Lines({{'c', "Uncracked"}, {'d', "Current"}});
        code = 2;
        break;
    case 4014:
        text = Lines({{'e', "Top"}, {'c', "Mid"}, {'d', "Bot"}});
        code = 1;
        break;
    case 4008:
    case 4009:
        text = Lines({{'e', "Top"}, {'c', "Mid"}, {'d', "Bot"}});
        code = 2;
        break;
    case 4005:
        text = Lines({{'c', "Equilibrium"}, {'d', "Effective"}});
        code = 2;
        break;
    case 4016:
    case 4017:
    case 4018:
        text = Lines({{'c', "Provided"}, {'d', "Effective"}, {'e', "Demand"}});
        code = 2;
        break;
    case 4019:
        text = Lines({{'c', "Provided"}, {'e', "Demand"}});
        code = 2;
        break;
    case 4029:
        text = Lines({{'c', "Capacity"}, {'e', "Demand"}});
        code = 2;
        break;
    case 4010:
        if (m_analysis && m_analysis->Probe_analysis(14, 0.0) != 0.0)
            text = "Yield penetration considered\r\n";
        code = 2;
        break;
    case 1010:
    case 1011:
    case 1012:
        WriteCodeStrengthReport(m_structure, text, id - 1010);
        code = 2;
        break;
    default:
        break;
    }
    if (m_analysis && (code == 1006 || code == 1007 || code == 1008)) {
        code = code == 1006 ? 1 : 0;
        DescribeMemberEvents(*m_analysis, text);
    }
}

void TQ2k_Logic::GetInfoText(std::string& text)
{
    if (m_structure)
        WriteMaterialReport(*m_structure, text);
}

void TQ2k_Logic::PaintSection(plat::DC& dc, int x, int y, int width, int height, int passThrough)
{
    if (IsInStructureTable(m_structure))
        PaintCrossSection(dc, m_structure, x, y, width, height, passThrough);
}

int TQ2k_Logic::GetMaterialCounts(int& reinforcing, int& prestressing)
{
    reinforcing = prestressing = 0;
    if (!m_structure)
        return 0;
    return m_structure->CountSteelKinds(reinforcing, prestressing);
}

int TQ2k_Logic::MakeReportText(int)
{
    TTextBuffer text;
    const TBeam* beam = dynamic_cast<const TBeam*>(m_structure);
    if (beam) {
        WriteSectionInformationReport(*beam, text);
        int flag = 0;
        double age = 0.0, moment = 0.0, axial = 0.0;
        beam->GetTimeData(flag, age, moment, axial);
        if (flag != 0 && m_analysis) {
            TimeDependentStrains values;
            TQuarvish2000Analysis::SolveTimeDependentStrains(*beam, values);
            std::string block;
            WriteTimeDependentReport(*beam, block, values);
            text.Append(block);
            text.Append("\r\n");
        }
    }
    // One owner: the new text replaces (and frees) any earlier one.
    g_ReportText = std::make_unique<std::string>(text.GetText(), text.GetLength());
    return 1;
}
