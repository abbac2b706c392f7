#include "member/fire/TStructureSlots.h"

#include "model/TStructure.h"

int FindFreeSlot(const TStructureSlots& slots)
{
    for (int s = 0; s < slots.GetSlotCount(); ++s) {
        if (slots.GetStructure(s) == nullptr)
            return s;
    }
    return -1;
}

int StructureNameExists(const TStructureSlots& slots, const std::string& name)
{
    for (int s = 0; s < slots.GetSlotCount(); ++s) {
        const TStructure* structure = slots.GetStructure(s);
        if (structure != nullptr && structure->GetName() == name)
            return 1;
    }
    return 0;
}
