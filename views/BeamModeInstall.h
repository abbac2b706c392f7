#pragma once
// Installs the beam mode object with the view manager: from then on a beam section's results
// are shown by TQ2k_Logic, which reads the program's unit system and resistance factors each
// time it draws. Returns the factory it replaced.

#include "app/views/TViewm.h"

BeamLogicFactory InstallBeamMode();

// Installs the classes of the beam mode's result diagrams with the chart factory (crack
// diagram, cross section, forces, N+M); InstallBeamMode does it too.
void InstallResultDiagrams();
