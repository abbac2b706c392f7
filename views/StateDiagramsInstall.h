#pragma once
// Registers with the chart factory the chart classes of the material, Mohr's circle, section
// panel and vital-signs diagrams (chart kinds 7, 8, 9, 10, 11 and 26) and the member
// crack-pattern view (kinds 4000 to 4003, the graph ids).

void InstallStateDiagrams();

// Registers the member crack-pattern view alone (kinds 4000 to 4003).
void InstallMemberCrackView();
