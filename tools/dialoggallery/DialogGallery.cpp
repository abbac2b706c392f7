// Shows one of the sample dialogs for a while, so it can be looked at (and photographed)
// under a virtual X server:
//   dialog_gallery settings|sheet|sheet1|sheet2|wizard|about|data|chart|linetype [seconds]

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "app/DialogResources.h"
#include "charts/DialogResources.h"
#include "platform/Application.h"
#include "platform/PropertySheet.h"
#include "support/SampleDialogs.h"

using namespace plat;

namespace {

class FilledDialog : public Dialog {
public:
    FilledDialog(DialogTemplate t, std::function<void(Dialog&)> fill) : Dialog(nullptr, std::move(t)), m_fill(std::move(fill)) {}
    void SetupWindow() override {
        Dialog::SetupWindow();
        if (m_fill)
            m_fill(*this);
    }

private:
    std::function<void(Dialog&)> m_fill;
};

class FilledPage : public PropertyPage {
public:
    FilledPage(std::string title, DialogTemplate t, std::function<void(Dialog&)> fill)
        : PropertyPage(std::move(title), std::move(t)), m_fill(std::move(fill)) {}
    void SetupWindow() override {
        PropertyPage::SetupWindow();
        if (m_fill)
            m_fill(*this);
    }

private:
    std::function<void(Dialog&)> m_fill;
};

void FillSettings(Dialog& d) {
    d.SetItemText(sample::IdName, "Girder G1");
    d.SetItemText(sample::IdValue, "450");
    d.SetItemText(sample::IdNotes, "Span 24 m\r\nExposure class C-1");
    d.CheckItem(sample::IdFixed, Check::Checked);
    d.CheckItem(sample::IdMetric, Check::Checked);
    ComboBox kind(d, sample::IdKind), size(d, sample::IdSize);
    for (const char* k : {"Beam", "Column", "Shell"})
        kind.AddString(k);
    kind.SetSelIndex(0);
    for (const char* s : {"10M", "15M", "20M", "25M"})
        size.AddString(s);
    size.SetText("20M");
    ListBox layers(d, sample::IdLayers);
    for (const char* l : {"Top layer", "Middle layer", "Bottom layer"})
        layers.AddString(l);
    layers.SetSel(2, true);
}

void FillBasic(Dialog& d) {
    ListView shapes(d, 5025);
    ImageList icons(32, 32);
    for (Color c : {Colors::LtRed, Colors::LtGreen, Colors::LtBlue, Colors::Gray})
        icons.Add(Image(32, 32, c));
    shapes.SetImageList(icons);
    shapes.AddColumn("Title", 300);
    int i = 0;
    for (const char* title : {"Rectangular", "Circular", "Tee Section", "Hollow Circular"})
        shapes.AddItem(title, i++);
    shapes.SetSelIndex(2);
    d.SetItemText(5060, "1200");
    d.SetItemText(5061, "300");
    d.SetItemText(5062, "900");
}

void FillStandard(Dialog& d) {
    TreeView tree(d, 5700);
    const int a = tree.AddItem(TreeView::Root, "AASHTO Girders");
    tree.AddItem(a, "Type II");
    tree.AddItem(a, "Type III - Current");
    tree.Expand(a);
    const int b = tree.AddItem(TreeView::Root, "Bulb Tees");
    tree.AddItem(b, "BT-54");
}

void FillUser(Dialog& d) {
    ListBox rows(d, 5072);
    for (const char* r : {"  1200           300", "   900           300", "     0           300"})
        rows.AddString(r);
    rows.SetSelIndex(0);
}

} // namespace

int main(int argc, char** argv) {
    EnsureGuiRuntime(argc, argv);
    const std::string what = argc > 1 ? argv[1] : "settings";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 4;
    std::unique_ptr<Dialog> dialog;
    std::vector<std::unique_ptr<PropertyPage>> pages;
    if (what.rfind("sheet", 0) == 0 || what == "wizard") {
        // "sheet2" starts on the third page.
        const int start = what.size() > 5 ? std::atoi(what.c_str() + 5) : 0;
        auto sheet = std::make_unique<PropertySheet>(nullptr, "Define Concrete Cross Section", start, what == "wizard");
        const std::function<void(Dialog&)> fills[] = {FillBasic, FillStandard, FillUser};
        int i = 0;
        for (auto& [title, t] : sample::SectionPages()) {
            pages.push_back(std::make_unique<FilledPage>(title, t, fills[i++]));
            sheet->AddPage(*pages.back());
        }
        dialog = std::move(sheet);
    } else if (what == "about") {
        dialog = std::make_unique<FilledDialog>(AboutTemplate(), [](Dialog& d) {
            d.SetItemText(22001, "Quarvish Version 1.9.7");
            d.SetItemText(22002, "Copyright the Quarvish authors");
        });
    } else if (what == "data") {
        dialog = std::make_unique<FilledDialog>(DataViewTemplate(), [](Dialog& d) {
            d.SetItemText(4028, "ERRORS in program load\r\n\r\nThe following errors occured during loading\r\n");
        });
    } else if (what == "chart") {
        dialog = std::make_unique<FilledDialog>(EditChartTemplate(), [](Dialog& d) {
            d.SetItemText(4002, "Moment-Curvature");
            d.SetItemText(4017, "Title Font: Arial, 10 points");
            d.SetItemText(4016, "Axes font: Arial, 8 points");
            d.SetItemText(4018, "0.000");
            d.SetItemText(4005, "2");
            d.CheckItem(4010, Check::Checked);
        });
    } else if (what == "linetype") {
        dialog = std::make_unique<FilledDialog>(SelectListTemplate(), [](Dialog& d) {
            ListBox list(d, 5072);
            for (const char* n : {"Solid Line", "Dashed Line", "Dotted Line"})
                list.AddString(n);
        });
    } else {
        dialog = std::make_unique<FilledDialog>(sample::SettingsTemplate(), FillSettings);
    }
    dialog->CreateDialog();
    DialogDriver(*dialog).Show();
    Application::PumpEvents(seconds * 1000);
    return 0;
}
