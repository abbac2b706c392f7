#include "dialogs/ReinforcementSheets.h"

#include <memory>
#include <vector>

#include "dialogs/ListPage.h"
#include "dialogs/ReinforcementPages.h"
#include "platform/PropertySheet.h"

namespace {

// Pages of the longitudinal sheet, made for the lists that exist.
std::vector<std::unique_ptr<TListPage>> LongPages(TLongLists& lists, TStructure& s, int direction, int layerRow,
                                                  int circularRow, int distributedRow, bool tendonsOnly,
                                                  int tendonRow, const std::function<void()>& markChanged) {
    std::vector<std::unique_ptr<TListPage>> pages;
    if (!tendonsOnly) {
        if (lists.individual)
            pages.push_back(std::make_unique<TListPage>(
                std::make_unique<TGen_Lon>(lists, *lists.individual, s, direction, layerRow), "Individual Layers",
                markChanged));
        if (lists.circular)
            pages.push_back(std::make_unique<TListPage>(
                std::make_unique<TGen_Circ>(lists, *lists.circular, s, direction, circularRow), "Circular Patterns",
                markChanged));
        if (lists.distributed)
            pages.push_back(std::make_unique<TListPage>(
                std::make_unique<TGen_Distribute>(lists, *lists.distributed, s, direction, distributedRow),
                "Distributed Layers", markChanged));
    }
    if (lists.tendons)
        pages.push_back(std::make_unique<TListPage>(
            std::make_unique<TGen_Ten>(lists, *lists.tendons, s, 0, tendonRow), "Define Tendon Layers",
            markChanged));
    return pages;
}

int RunLongSheet(plat::Window* parent, TStructure& s, const char* title, int startPage, int direction, int layerRow,
                 int circularRow, int distributedRow, bool tendonsOnly, int tendonRow,
                 const std::function<void()>& markChanged) {
    TLongLists lists = BuildLongLists(s, direction);
    std::vector<std::unique_ptr<TListPage>> pages =
        LongPages(lists, s, direction, layerRow, circularRow, distributedRow, tendonsOnly, tendonRow, markChanged);
    plat::PropertySheet sheet(parent, title, startPage);
    for (auto& page : pages)
        sheet.AddPage(*page);
    const int result = sheet.Execute();
    if (result == plat::DialogResult::Ok)
        WriteBackLongLists(s, lists, direction);
    return result;
}

} // namespace

int RunLongitudinalSheet(plat::Window* parent, TStructure& structure, int startPage, int direction, int layerRow,
                         int circularRow, int distributedRow, const std::function<void()>& markChanged) {
    if (startPage < 0 || startPage > 2)
        startPage = LongitudinalStartPage(structure, direction);
    return RunLongSheet(parent, structure, "Define Longitudinal Reinforcement", startPage, direction, layerRow,
                        circularRow, distributedRow, false, -1, markChanged);
}

int RunTendonSheet(plat::Window* parent, TStructure& structure, int row, const std::function<void()>& markChanged) {
    return RunLongSheet(parent, structure, "Define Tendons", 0, 0, -1, -1, -1, true, row, markChanged);
}

int RunTransverseSheet(plat::Window* parent, TStructure& structure, int row, int direction,
                       const std::function<void()>& markChanged) {
    std::unique_ptr<TTypeList> list = BuildTransList(structure, direction);
    TListPage page(std::make_unique<TGen_Tra>(*list, structure, row, direction), "Define Transverse Reinforcement",
                   markChanged);
    plat::PropertySheet sheet(parent, "Define Transverse Reinforcement");
    sheet.AddPage(page);
    const int result = sheet.Execute();
    if (result == plat::DialogResult::Ok)
        WriteBackTransList(structure, *list, direction);
    return result;
}
