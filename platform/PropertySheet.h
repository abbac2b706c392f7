#pragma once
// Property sheets: pages of controls under tabs with OK, Cancel and Apply, or the same pages
// as a wizard with Back, Next and Finish.
//
// A page is a dialog of its own, made when it is first shown (its SetupWindow runs then).
// Leaving a page asks its KillActive, which may refuse; entering one runs its SetActive. OK
// asks the shown page's KillActive, then runs Apply on every page made so far and ends the
// sheet with 1; Apply does the same without ending. In a wizard, Next and Back ask the shown
// page (WizNext, WizBack), which may name the page to go to or keep the wizard where it is;
// Finish asks WizFinish and ends the sheet with 1.

#include <string>
#include <vector>

#include "platform/Dialog.h"

namespace plat {

class PropertySheet;

// Wizard buttons (SetWizButtons) and the ids of the sheet's own buttons.
namespace SheetButton {
inline constexpr unsigned Back = 1;
inline constexpr unsigned Next = 2;
inline constexpr unsigned Finish = 4;
inline constexpr int ApplyId = 12321;
inline constexpr int BackId = 12323;
inline constexpr int NextId = 12324;
inline constexpr int FinishId = 12325;
} // namespace SheetButton

class PropertyPage : public Dialog {
public:
    // What WizNext and WizBack may answer besides a page index.
    static constexpr int DefaultPage = -1;  // the page after (before) this one
    static constexpr int StayHere = -2;     // the wizard keeps this page

    PropertyPage(std::string title, DialogTemplate tmpl);
    // A page that goes first leaves its sheet.
    ~PropertyPage() override;

    const std::string& GetTitle() const { return m_title; }
    PropertySheet* GetSheet() const { return m_sheet; }

    // The page is being shown.
    virtual void SetActive() {}
    // The page is about to be left (another page, OK, Apply); false keeps it shown.
    virtual bool KillActive() { return true; }
    // OK or Apply: take the page's values.
    virtual void Apply() {}
    // Cancel.
    virtual void Reset() {}
    virtual int WizNext() { return DefaultPage; }
    virtual int WizBack() { return DefaultPage; }
    // Finish; false keeps the wizard open.
    virtual bool WizFinish() { return true; }

private:
    friend class PropertySheet;
    std::string m_title;
    PropertySheet* m_sheet = nullptr;
};

class PropertySheet : public Dialog {
public:
    PropertySheet(Window* parent, const std::string& title, int startPage = 0, bool wizard = false);
    ~PropertySheet() override;

    // Adds a page at the end; while the sheet runs, its tab appears at once. The page must
    // outlive the sheet's run.
    void AddPage(PropertyPage& page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    PropertyPage& GetPage(int index) const { return *m_pages.at(static_cast<std::size_t>(index)); }
    int GetPageIndex(const PropertyPage& page) const;
    // Shows the page (the shown one may refuse to be left); true when shown.
    bool SelectPage(int index);
    int GetCurrentPage() const { return m_current; }
    bool IsWizard() const { return m_wizard; }
    // Wizard buttons enabled (Back, Next, Finish bits); Finish replaces Next.
    void SetWizButtons(unsigned buttons);
    unsigned GetWizButtons() const { return m_wizButtons; }

    void SetupWindow() override;
    void CmOk() override;
    void CmCancel() override;
    bool EvCommand(int id, int control, int notifyCode) override;
    // Apply: the shown page's KillActive, then every made page's Apply; false when refused.
    bool ApplyPages();
    void Next();
    void Back();
    void Finish();

private:
    friend class DialogDriver;
    friend class PropertyPage;
    bool Leave();
    void Enter(int index);
    void Forget(PropertyPage& page);
    void ShowButtons();
    void AddTab(PropertyPage& page);

    std::vector<PropertyPage*> m_pages;
    int m_start;
    int m_current = -1;
    bool m_wizard;
    unsigned m_wizButtons = SheetButton::Next;
    std::vector<int> m_history;  // pages visited in a wizard, for Back
};

} // namespace plat
