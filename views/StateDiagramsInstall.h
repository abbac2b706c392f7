#pragma once
// Registers with the chart factory the chart classes of the material, Mohr's circle, section
// panel and vital-signs diagrams (chart kinds 7, 8, 9, 10, 11 and 26).

void InstallStateDiagrams();
