// The membrane mode's texts: the element description, the information panel and the test
// comparison box.

#include "membrane/view/TP2k_Logic.h"

void TP2k_Logic::GetInfoText(std::string& text)
{
    text.clear();
}

int TP2k_Logic::PaintInfoPanel(plat::DC&, int, int, int, std::string&)
{
    return 1;
}

int TP2k_Logic::PaintPanelText(plat::DC&, int, int, int)
{
    return 1;
}

std::string TP2k_Logic::DescribePatterns(int) const
{
    return {};
}

std::string TP2k_Logic::DescribeLongLayers(int) const
{
    return {};
}

std::string TP2k_Logic::DescribeTransLayers() const
{
    return {};
}

void TP2k_Logic::PaintSection(plat::DC&, int, int, int, int, int) {}
