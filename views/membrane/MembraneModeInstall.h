#pragma once
// Installs the membrane mode with the view manager (a membrane element's results are shown by
// TP2k_Logic, following the program's settings), as the beam mode's one-layer view, and the
// node-data pane with the chart factory.

void InstallMembraneMode();
