#pragma once
// The window of a list-editor page: the "Details" page (resource 13) over a TGen_Base. The
// window copies its controls into the editor's form before each operation and the form back
// into the controls after it; the editor does the rest.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "dialogs/ListEditor.h"
#include "platform/Controls.h"
#include "platform/PropertySheet.h"

// Control ids of the "Details" page.
namespace DetailsId {
inline constexpr int Resource = 13;
inline constexpr int ListGroup = 5079;
inline constexpr int DefinitionGroup = 5080;
inline constexpr int List = 5072;
inline constexpr int Name = 5081;
inline constexpr int Field0 = 5060;  // fields 5060-5065
inline constexpr int Combo0 = 322;
inline constexpr int Combo1 = 5070;
inline constexpr int Combo2 = 5071;
inline constexpr int ByArea = 5084;
inline constexpr int Add = 5075;
inline constexpr int Modify = 5076;
inline constexpr int Delete = 5077;
inline constexpr int Explode = 113;
inline constexpr std::array<int, 6> Labels = {218, 216, 213, 210, 207, 204};
inline constexpr std::array<int, 6> Units = {219, 215, 212, 209, 206, 200};
inline constexpr std::array<int, 6> Examples = {217, 214, 211, 208, 205, 5082};  // 5082 does not exist
inline constexpr int Combo1Label = 203;
inline constexpr int Combo2Label = 202;
} // namespace DetailsId

plat::DialogTemplate DetailsTemplate();

class TListPage : public plat::PropertyPage {
public:
    // The page's editor; markChanged tells the main window that structures changed.
    TListPage(std::unique_ptr<TGen_Base> editor, const std::string& title, std::function<void()> markChanged);
    ~TListPage() override;

    TGen_Base& Editor() { return *m_editor; }

    void SetupWindow() override;
    void SetActive() override;
    bool KillActive() override;

private:
    void Run(const std::function<void()>& operation);
    void Pull();
    void Push();
    void SetText(int id, const std::string& text);

    std::unique_ptr<TGen_Base> m_editor;
    plat::ListBox m_list;
    std::array<std::unique_ptr<plat::ComboBox>, 3> m_combos;
    bool m_busy = false;
    bool m_pushing = false;
};
