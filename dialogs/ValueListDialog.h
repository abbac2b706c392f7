#pragma once
// "Define Data" (resource 7): the value lists of a structure (mode 3) or the stress-strain
// curve of a concrete (mode 0) or steel (mode 2) type, edited as text.

#include <functional>

#include "dialogs/ValueList.h"
#include "platform/Dialog.h"

namespace DefineDataId {
inline constexpr int Resource = 7;
inline constexpr int List = 322;
inline constexpr int Paste = 113;
inline constexpr int Text = 5060;
} // namespace DefineDataId

plat::DialogTemplate DefineDataTemplate();

class TPage6 : public plat::Dialog {
public:
    // markChanged (may be empty) is told on OK.
    TPage6(plat::Window* parent, TStructure* structure, int mode, TDepthTable* curve,
           std::function<void()> markChanged);

    void SetupWindow() override;
    // A text with a value that is no number keeps the dialog open, the text selected.
    bool CanClose() override;
    void CloseWindow(int result) override;
    TValueList& Model() { return m_model; }

private:
    void ShowChosenList();
    void ReadIfChanged();
    // Refuses an edited text with a value that is no number (the message, the text selected).
    bool TextRefused();

    TValueList m_model;
    std::function<void()> m_markChanged;
    bool m_showing = false;
    bool m_changed = false;
};
