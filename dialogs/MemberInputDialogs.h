#pragma once
// The program's member and fire dialogs behind the commands' dialog interface: the "Full
// Member Properties" sheet, the post-fire parameters and the over-relaxation demonstration.
// Every other entry goes to the set it was made over.

#include <functional>

#include "app/InputDialogs.h"
#include "platform/Types.h"

namespace plat {
class DC;
}
class TSorGrid;

class TMemberInputDialogs final : public TForwardingInputDialogs {
public:
    explicit TMemberInputDialogs(TInputDialogs& others) : TForwardingInputDialogs(others) {}

    int Fire(T_2kWindow& parent, TStructure& s) override;
    int MemberProperties(T_2kWindow& parent, TMemberDefinition& d) override;
    void RelaxationDemo(T_2kWindow& parent) override;
};

// Installs the member dialogs over the set installed now (once, at program start).
void InstallMemberDialogs();

// The demonstration: asks for the block count and the factor, relaxes the field showing every
// sweep, reports the sweeps and the last largest change, and prints the grid to the standard
// output. On a drawing context, every sweep is painted into it.
void RunSorDemo(const std::function<void(const TSorGrid&)>& showSweep);
void RunSorDemo(plat::DC& dc);
// Where the grid is painted.
plat::Rect SorGridArea(const TSorGrid& grid);
// Paints the grid lying on its side: row r from x = 20 + r size, column k from
// y = 100 + (n/2 - k) size (column 0 at the bottom).
void PaintSorGrid(plat::DC& dc, const TSorGrid& grid);
