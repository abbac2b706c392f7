#pragma once
// Starts the Qt runtime (offscreen in the test run) once for the window tests.

#include <gtest/gtest.h>

#include "platform/Application.h"

class GuiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
};
