#include "dialogs/SectionInputDialogs.h"

#include "app/T_2kWindow.h"
#include "dialogs/SectionSheet.h"
#include "dialogs/SmallDialogs.h"
#include "dialogs/TShrink.h"
#include "model/TBeam.h"
#include "model/TStructure.h"

int TSectionInputDialogs::General(T_2kWindow& parent, TStructure& s, int firstField)
{
    TGeneral dialog(&parent, &s, firstField);
    const int result = dialog.Execute();
    if (dialog.Changed())
        parent.MarkStructuresChanged();
    return result;
}

int TSectionInputDialogs::ConcreteSectionSheet(T_2kWindow& parent, TStructure& s, int row)
{
    if (auto* beam = dynamic_cast<TBeam*>(&s))
        return RunSectionSheet(&parent, *beam, row);
    return Others().ConcreteSectionSheet(parent, s, row);
}

int TSectionInputDialogs::Loads(T_2kWindow& parent, TStructure& s)
{
    Tloads dialog(&parent, &s);
    return dialog.Execute();
}

int TSectionInputDialogs::TimeEffects(T_2kWindow& parent, TStructure& s)
{
    TTime2 dialog(&parent, dynamic_cast<TBeam*>(&s));
    const int result = dialog.Execute();
    if (dialog.Changed())
        parent.MarkStructuresChanged();
    return result;
}

int TSectionInputDialogs::Shrink(T_2kWindow& parent, TStructure& s, int mode)
{
    auto* beam = dynamic_cast<TBeam*>(&s);
    if (!beam)
        return Others().Shrink(parent, s, mode);
    TShrink dialog(&parent, beam, mode == 0 ? 0 : 1, mode == 0 ? 306 : 307);
    const int result = dialog.Execute();
    if (result == DialogResult::Ok && dialog.Changed())
        parent.MarkStructuresChanged();
    return result;
}

int TSectionInputDialogs::Preferences(T_2kWindow& parent)
{
    // Every leave of the page, Apply as well as OK, shows at once what it stored, even when
    // the sheet is then cancelled.
    bool applied = false;
    RunPreferences(&parent, applied, [&parent](bool factorTaken) {
        if (factorTaken) {
            // The results no longer hold: the views are rebuilt when the sheet closes.
            parent.MarkStructuresChanged();
            if (TStructure* s = parent.GetCurrentStructure())
                s->SetModified(1);
        } else if (!parent.StructuresChanged()) {
            // The unit system may have changed: every view shows its numbers again.
            parent.RefreshStructureViews(1);
        }
    });
    return applied ? DialogResult::Ok : DialogResult::Cancel;
}

void InstallSectionDialogs()
{
    static TSectionInputDialogs dialogs(GetInputDialogs());
    SetInputDialogs(&dialogs);
}
