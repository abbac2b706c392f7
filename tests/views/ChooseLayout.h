#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/views/TViewm.h"
#include "platform/Application.h"
#include "platform/Controls.h"

// The set whose title starts with title, chosen from the view's layout list as a user does.
inline void ChooseLayout(TViewm_2k& view, const std::string& title)
{
    plat::ComboBox* combo = view.GetLayoutCombo();
    ASSERT_NE(combo, nullptr);
    int found = -1;
    for (int i = 0; i < combo->GetCount() && found < 0; ++i)
        if (combo->GetString(i).rfind(title, 0) == 0)
            found = i;
    ASSERT_GE(found, 0) << title;
    combo->SetSelIndex(found);
    ASSERT_TRUE(view.OnControlNotify(1101, plat::Notify::SelChange));
    plat::Application::SettleEvents();
}
