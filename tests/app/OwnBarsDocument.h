#pragma once
// A section whose bars are its own, for documents that tests open after changing one value of a
// layer.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/TBeam.h"

// A new section with a bar layer of two bars of its own (500 mm^2, 25.2 mm) and a tendon of
// 1000 mm^2 in one bar below it.
inline std::unique_ptr<TBeam> MakeOwnBarsBeam(const std::string& name)
{
    auto beam = std::make_unique<TBeam>();
    beam->SetName(name);
    LongLayerRec bars;
    InitLongLayerRec(bars);
    bars.z = beam->GetBottom() + 0.05;
    bars.num = 2;
    bars.Ai = 500e-6;
    bars.A = 1000e-6;
    bars.db = 0.0252;
    bars.name = "bars";
    beam->AddLongLayer(bars, 0);
    LongLayerRec tendon = bars;
    tendon.z = beam->GetBottom() + 0.1;
    tendon.num = 1;
    tendon.Ai = tendon.A = 1000e-6;
    tendon.db = 0.0357;
    tendon.type = 1;
    tendon.name = "tendon";
    beam->AddLongLayer(tendon, 0);
    return beam;
}

// The text with the value of the attribute in the first element of that name (from the offset
// given) made the value given.
inline std::string WithElementValue(std::string text,
                                    const std::string& element,
                                    const std::string& attribute,
                                    const std::string& value,
                                    std::size_t from = 0)
{
    const std::size_t at = text.find("<" + element, from);
    const std::size_t name = text.find("\t" + attribute + "\t", at);
    EXPECT_LT(name, text.find('>', at)) << element << " " << attribute;
    const std::size_t open = text.find('"', name);
    const std::size_t close = text.find('"', open + 1);
    text.replace(open + 1, close - open - 1, value);
    return text;
}

// The document's text with the attribute of a layer (0 the bars, 1 the tendon) of the first
// section from the offset given made the value given.
inline std::string WithLayerValue(const std::string& text,
                                  std::size_t from,
                                  int layer,
                                  const std::string& attribute,
                                  const std::string& value)
{
    std::size_t at = text.find("<longreinfx", from);
    for (int i = 0; i < layer; ++i)
        at = text.find("<longreinfx", at + 1);
    return WithElementValue(text, "longreinfx", attribute, value, at);
}
