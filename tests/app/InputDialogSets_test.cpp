// The dialog sets installed one over another: a set passes every dialog it does not answer
// itself on to the set below it, the catalogue included.

#include <gtest/gtest.h>

#include "app/InputDialogs.h"
#include "member/TMemberDefinition.h"
#include "model/TBeam.h"
#include "tests/app/ShellFixture.h"

namespace {

// Records the name of each dialog it is asked for and answers OK.
class NameRecorder final : public TInputDialogs {
public:
    std::vector<std::string> calls;
    int Note(const char* name) {
        calls.emplace_back(name);
        return DialogResult::Ok;
    }
    int QuickDefine(T_2kWindow&, TStructure&) override { return Note("quick"); }
    int General(T_2kWindow&, TStructure&, int) override { return Note("general"); }
    int MaterialsSheet(T_2kWindow&, TStructure&, int, int, int, int) override { return Note("materials"); }
    int ConcreteSectionSheet(T_2kWindow&, TStructure&, int) override { return Note("concrete"); }
    int TransverseSheet(T_2kWindow&, TStructure&, int, int) override { return Note("transverse"); }
    int LongitudinalSheet(T_2kWindow&, TStructure&, int, int, int, int) override { return Note("longitudinal"); }
    int TendonSheet(T_2kWindow&, TStructure&, int) override { return Note("tendons"); }
    int Loads(T_2kWindow&, TStructure&) override { return Note("loads"); }
    int TimeEffects(T_2kWindow&, TStructure&) override { return Note("time"); }
    int Shrink(T_2kWindow&, TStructure&, int) override { return Note("shrink"); }
    int DefineData(T_2kWindow&, TStructure&) override { return Note("data"); }
    int Fire(T_2kWindow&, TStructure&) override { return Note("fire"); }
    int MemberProperties(T_2kWindow&, TMemberDefinition&) override { return Note("member properties"); }
    int MemberDefinition(T_2kWindow&, TMemberDefinition&) override { return Note("member"); }
    int Preferences(T_2kWindow&) override { return Note("preferences"); }
    void RelaxationDemo(T_2kWindow&) override { Note("relaxation"); }
    int Catalog(T_2kWindow&, std::array<std::unique_ptr<TStructure>, kMaxStructures>&, int&) override
    {
        return Note("catalog");
    }
};

// Answers the loads itself and passes on the rest.
class LoadsOnly final : public TForwardingInputDialogs {
public:
    using TForwardingInputDialogs::TForwardingInputDialogs;
    int Loads(T_2kWindow&, TStructure&) override { return DialogResult::Cancel; }
};

TEST_F(StartedShellTest, EachSetAnswersItsOwnDialogsAndPassesOnTheRest)
{
    NameRecorder below;
    LoadsOnly middle(below);
    TForwardingInputDialogs top(middle);
    TBeam beam;
    TMemberDefinition member;
    std::array<std::unique_ptr<TStructure>, kMaxStructures> table;
    int current = 0;
    T_2kWindow& w = Window();

    EXPECT_EQ(top.Loads(w, beam), DialogResult::Cancel);
    EXPECT_TRUE(below.calls.empty());

    TInputDialogs& d = top;
    for (const int result :
         {d.QuickDefine(w, beam), d.General(w, beam, 0), d.MaterialsSheet(w, beam, 0, 0, 0, 0),
          d.ConcreteSectionSheet(w, beam, 0), d.TransverseSheet(w, beam, 0, 0),
          d.LongitudinalSheet(w, beam, 0, 0, 0, 0), d.TendonSheet(w, beam, 0), d.TimeEffects(w, beam),
          d.Shrink(w, beam, 0), d.DefineData(w, beam), d.Fire(w, beam), d.MemberProperties(w, member),
          d.MemberDefinition(w, member), d.Preferences(w), d.Catalog(w, table, current)})
        EXPECT_EQ(result, DialogResult::Ok);
    d.RelaxationDemo(w);
    const std::vector<std::string> expected = {
        "quick",  "general", "materials", "concrete",          "transverse", "longitudinal", "tendons", "time",
        "shrink", "data",    "fire",      "member properties", "member",     "preferences",  "catalog", "relaxation"};
    EXPECT_EQ(below.calls, expected);
}

} // namespace
