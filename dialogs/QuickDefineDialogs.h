#pragma once
// The quick-define wizard behind the "&Quick Define" command, and the element catalogue whose
// "New" runs it. Every other dialog is answered by the set this one is built over.

#include "app/InputDialogs.h"

class TQuickDefineDialogs final : public TForwardingInputDialogs {
public:
    explicit TQuickDefineDialogs(TInputDialogs& others) : TForwardingInputDialogs(others) {}

    int QuickDefine(T_2kWindow& parent, TStructure& s) override;
    // "Catalog of Elements" with its tree, New (through the wizard), Copy and Delete.
    int Catalog(T_2kWindow& parent, std::array<std::unique_ptr<TStructure>, kMaxStructures>& table,
                int& current) override;
};

// Installs the quick-define wizard over the set installed now; returns it.
TQuickDefineDialogs& InstallQuickDefineDialogs();
