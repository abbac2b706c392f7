#pragma once
// What the fire analysis needs of the application's structure table: its slots, the current
// structure and a way to store a new structure in an empty slot. The application shell
// implements it over g_Structures; tests use a table of their own.

#include <memory>
#include <string>

class TStructure;

class TStructureSlots {
public:
    virtual ~TStructureSlots() = default;
    // Number of slots (300 in the application).
    virtual int GetSlotCount() const = 0;
    // The structure in a slot; null for an empty slot or a slot outside the table.
    virtual TStructure* GetStructure(int slot) const = 0;
    // Index of the current structure (g_CurrentStructure).
    virtual int GetCurrentStructure() const = 0;
    // Stores the structure in an empty slot and owns it from then on; 1 when stored, 0 (the
    // structure is destroyed) for a slot that is taken or outside the table.
    virtual int StoreStructure(int slot, std::unique_ptr<TStructure> structure) = 0;
};

// The first empty slot in slot order, or -1 when every slot is taken.
int FindFreeSlot(const TStructureSlots& slots);
// 1 when a structure of the table has exactly this name (GetName), else 0.
int StructureNameExists(const TStructureSlots& slots, const std::string& name);
