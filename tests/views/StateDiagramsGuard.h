#pragma once
// The state diagrams and the member crack-pattern view installed with the chart factory, as the
// program installs them at start, for one test: what the factory made for those kinds before
// is put back afterwards, so no later test draws with them unawares.

#include <array>

#include "app/views/DiagramMakers.h"
#include "views/StateDiagramsInstall.h"

class StateDiagramsGuard {
public:
    StateDiagramsGuard()
    {
        for (std::size_t i = 0; i < kKinds.size(); ++i)
            m_previous[i] = SetDiagramMaker(kKinds[i], nullptr);
        InstallStateDiagrams();
    }
    ~StateDiagramsGuard()
    {
        for (std::size_t i = 0; i < kKinds.size(); ++i)
            SetDiagramMaker(kKinds[i], m_previous[i]);
    }
    StateDiagramsGuard(const StateDiagramsGuard&) = delete;
    StateDiagramsGuard& operator=(const StateDiagramsGuard&) = delete;

private:
    static constexpr std::array<int, 10> kKinds{7, 8, 9, 10, 11, 26, 4000, 4001, 4002, 4003};
    std::array<DiagramMaker, kKinds.size()> m_previous;
};
