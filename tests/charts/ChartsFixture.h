#pragma once
// Chart tests measure text and draw with the window layer, so they start its runtime
// (offscreen in the test run) once.

#include <gtest/gtest.h>

#include "platform/Application.h"

class ChartsGuiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
};
