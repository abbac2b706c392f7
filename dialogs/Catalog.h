#pragma once
// "Catalog of Elements": every beam section and membrane element of a working copy of the
// structure table as a tree by institution, author and name. The user makes one current and
// creates (through the quick-define wizard), copies and deletes elements. The current
// element is known by its title, which the table's sort keeps unique.

#include <functional>
#include <string>

#include "app/SectionNumbering.h"
#include "platform/Dialog.h"

namespace CatalogId {
inline constexpr int Tree = 5700;
inline constexpr int New = 5037, Copy = 5038, Delete = 5035;
inline constexpr int Name = 5450, Author = 5451, Institution = 5452;
} // namespace CatalogId

class TCatalog : public plat::Dialog {
public:
    // current: the opener's current slot, changed as the user chooses; markChanged tells the
    // opener that the structures changed.
    TCatalog(plat::Window* parent, int* current, StructureTable& table, std::function<void()> markChanged);

    void SetupWindow() override;
    // Rebuilds the tree after sorting the table.
    void Fill();
    void CmNew();
    void CmCopy();
    void CmDelete();

    int GetElementCount() const { return m_count; }
    const std::string& GetCurrentTitle() const { return m_currentTitle; }
    const plat::TreeView& Tree() const { return m_tree; }

private:
    void Selected();
    void ShowCurrent(int slot);
    int SlotOfCurrentTitle() const;
    int FreeSlot(int from) const;
    bool RefuseFullTable();

    int m_filled = 0;
    int* m_current;
    int m_count = 0;
    std::string m_currentTitle;
    plat::TreeView m_tree;
    StructureTable& m_table;
    std::function<void()> m_markChanged;
};

// Runs the catalogue over the table; 1 for OK.
int RunCatalog(plat::Window* parent, StructureTable& table, int& current, std::function<void()> markChanged);
