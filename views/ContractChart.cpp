#include "views/ContractChart.h"

#include "charts/Tcontrolchart.h"

void ContractChart::AddTaggedPoint(double x, double y, int tag)
{
    if (m_tagged)
        m_tagged->AddTaggedPoint(x, y, tag);
    else
        m_chart.AddPoint(x, y);
}
