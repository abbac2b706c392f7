#pragma once
// The benchmark member: the default member around the 300 x 600 mm beam with three 25 mm
// bottom bars and 10 mm stirrups at 200 mm, the section held in a one-slot structure table.

#include <memory>

#include "BenchSections.h"
#include "member/TMemberDefinition.h"
#include "member/fire/TStructureSlots.h"

class OneSlot final : public TStructureSlots {
public:
    explicit OneSlot(std::unique_ptr<TStructure> s) : m_s(std::move(s)) {}
    int GetSlotCount() const override { return 1; }
    TStructure* GetStructure(int slot) const override { return slot == 0 ? m_s.get() : nullptr; }
    int GetCurrentStructure() const override { return 0; }
    int StoreStructure(int, std::unique_ptr<TStructure>) override { return 0; }

private:
    std::unique_ptr<TStructure> m_s;
};

// The section in a one-slot table and the default member definition around it.
struct BenchMember {
    std::unique_ptr<OneSlot> slots;
    TMemberDefinition definition;
};

inline BenchMember MakeBenchMember()
{
    auto beam = BenchSection(0.3, 0.6);
    AddBenchBars(*beam, 0.05, 3);
    AddBenchStirrups(*beam);
    beam->Validate();
    const TBeam& section = *beam;
    BenchMember m;
    m.slots = std::make_unique<OneSlot>(std::move(beam));
    SetMemberDefinitionFromSection(*m.slots, m.definition, section);
    return m;
}
