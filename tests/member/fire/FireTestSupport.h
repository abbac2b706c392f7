#pragma once
// Shared pieces of the fire tests: a structure table of their own, beam builders and a guard
// that leaves no fire model or load-error text behind.

#include <memory>
#include <vector>

#include "foundation/ReportText.h"
#include "member/fire/ThermalAnalysis.h"
#include "member/fire/TStructureSlots.h"
#include "model/StructureFixtures.h"
#include "model/TBeam.h"

namespace firetest {

// A structure table of n slots; slot 0 current.
class TestSlots final : public TStructureSlots {
public:
    explicit TestSlots(int n = 300) : slots(static_cast<std::size_t>(n)) {}
    int GetSlotCount() const override { return static_cast<int>(slots.size()); }
    TStructure* GetStructure(int slot) const override
    {
        return slot >= 0 && slot < GetSlotCount() ? slots[static_cast<std::size_t>(slot)].get()
                                                  : nullptr;
    }
    int GetCurrentStructure() const override { return current; }
    int StoreStructure(int slot, std::unique_ptr<TStructure> structure) override
    {
        if (slot < 0 || slot >= GetSlotCount() || slots[static_cast<std::size_t>(slot)])
            return 0;
        slots[static_cast<std::size_t>(slot)] = std::move(structure);
        return 1;
    }
    // Puts a beam in the slot and answers it.
    TBeam* Put(int slot, std::unique_ptr<TBeam> beam)
    {
        TBeam* raw = beam.get();
        slots[static_cast<std::size_t>(slot)] = std::move(beam);
        return raw;
    }
    TBeam* Beam(int slot) const { return dynamic_cast<TBeam*>(GetStructure(slot)); }

    std::vector<std::unique_ptr<TStructure>> slots;
    int current = 0;
};

// A validated rectangular beam "Beam", width x height, with the fire settings given, and
// optionally a layer of 25 mm bars 50 mm above the bottom and one stirrup layer.
inline std::unique_ptr<TBeam> FireBeam(double width,
                                       double height,
                                       const FireData& fire,
                                       int bottomBars = 0,
                                       bool stirrups = false)
{
    auto beam = std::make_unique<TBeam>();
    beam->SetName("Beam");
    beam->AddRegion(height, 0.0, width, width, 0, 1);
    if (bottomBars > 0)
        beam->AddLongLayer(fixtures::Layer(0.05, bottomBars, 0.025), 0);
    if (stirrups) {
        TransLayerRec stirrup = fixtures::Stirrup(0.03, height - 0.03, 0.01, 0.2, 2.0 * 78.5e-6);
        beam->AddTransLayer(stirrup, 2);
    }
    beam->SetFireData(fire.exposure, fire.type, fire.rebarperform, fire.time, fire.constanttemp);
    beam->Validate();
    return beam;
}

// The same section with its concrete list turned over: type k becomes type n - 1 - k and each
// region names its own type as before, so that with bands of equal height the main type is
// the top band's instead of the bottom band's. Validated.
inline std::unique_ptr<TBeam> WithConcreteListTurnedOver(const TBeam& beam)
{
    auto turned = std::make_unique<TBeam>(beam);
    turned->SetFrozen(0);
    std::vector<ConcreteTypeRec> types;
    const int n = beam.GetConcreteTypeCount();
    for (int k = 0; k < n; ++k)
        types.push_back(*beam.GetConcreteType(k));
    turned->DeleteConcreteTypes();
    for (int k = n - 1; k >= 0; --k)
        turned->AddConcreteType(types[static_cast<std::size_t>(k)]);
    for (int r = 0; r < turned->GetRegionCount(); ++r)
        turned->SetRegionConcreteType(r, n - 1 - turned->GetRegion(r)->concreteType);
    turned->Validate();
    return turned;
}

// Deletes the fire model and the load-error text at the end of a test.
struct FireStateGuard {
    FireStateGuard() = default;
    ~FireStateGuard()
    {
        DeleteThermalModel();
        ClearReportText();
    }
    FireStateGuard(const FireStateGuard&) = delete;
    FireStateGuard& operator=(const FireStateGuard&) = delete;
};

} // namespace firetest
