// A command of the program that throws, from its tool-bar button in the running program: one
// message that the program must close and why, then the program ends with a non-zero code.

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/CommandIds.h"
#include "app/InputDialogs.h"
#include "platform/Frame.h"
#include "tests/app/ShellFixture.h"

namespace {

class ThrowingCatalogue final : public TForwardingInputDialogs {
public:
    using TForwardingInputDialogs::TForwardingInputDialogs;
    int Catalog(T_2kWindow&, std::array<std::unique_ptr<TStructure>, kMaxStructures>&, int&) override
    {
        throw std::runtime_error("the catalogue's tree lost its root");
    }
};

} // namespace

TEST_F(ShellTest, ACommandThatThrowsEndsTheProgramWithOneMessageAndANonZeroCode)
{
    ThrowingCatalogue dialogs(GetInputDialogs());
    TInputDialogs* previous = SetInputDialogs(&dialogs);
    app = std::make_unique<TQuarvishApp>(dir.path().string() + "/");
    plat::FrameDriver::WhenLoopRuns([this] {
        plat::Frame& frame = *app->GetMainWindow();
        frame.UpdateToolBar();
        plat::FrameDriver(frame).ClickToolButton(CmId::Catalog);
    });
    ui.Message("Quarvish must close", MsgAnswer::Ok);
    const int code = app->Run();
    SetInputDialogs(previous);
    EXPECT_NE(code, 0);
    EXPECT_TRUE(ui.Done());
    ASSERT_EQ(ui.Count("must close"), 1);
    EXPECT_EQ(ui.Count("the catalogue's tree lost its root"), 1);
}
