#include "app/views/TSarnex_Logic.h"

TSarnex_Logic::TSarnex_Logic(TStructure*, TSectionalAnalysis*) {}

TSarnex_Logic::~TSarnex_Logic() = default;
