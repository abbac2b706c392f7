#pragma once
// Owner-drawn controls of the panels and dialogs: a combo box whose items carry label markup,
// a glyph button, the type lists with a sample in each row, and the selection dialog that
// hosts such a list.

#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"

class TStructure;

// A combo box drawing its items through the label renderer (Greek letters, subscripts).
class ODAComboBox : public plat::ComboBox {
public:
    ODAComboBox(plat::Window& parent, int id, const plat::Rect& place, unsigned style,
                int textLimit = 0);
    // Draws one item: highlighted when selected, its text marked up at the top left.
    static void DrawEntire(plat::DC& dc, const plat::DrawItem& item);

protected:
    void Attached() override;
};

// A glyph button whose click is reported when it is released inside it.
class TMyGlyphButton : public plat::GlyphButton {
public:
    TMyGlyphButton(plat::Window& parent, int id, const std::string& text, const plat::Rect& place,
                   bool isDefault = false)
        : plat::GlyphButton(parent, id, text, place, isDefault)
    {
    }
};

// The list box of the selection dialog: one of the catalogues (line types, concrete types,
// standard types, reinforcement, beam sections) with a visual sample in each row.
class ODAListBox : public plat::ListBox {
public:
    // Rows from the kind's own catalogue: line types, the structure's concrete types, the
    // program's reinforcement catalogue. count is the line width of line types (21 or more
    // gives 16), colour their pen's colour.
    ODAListBox(plat::Dialog& parent, const TStructure* structure, int id, int kind,
               plat::Color colour, int count);
    // Rows given by the caller (the standard types of one family, the beam sections).
    ODAListBox(plat::Dialog& parent, int id, int kind, std::vector<std::string> rows);

    const std::vector<std::string>& Rows() const { return m_rows; }
    int Kind() const { return m_kind; }
    int SampleWidth() const { return m_count; }
    void DrawEntire(plat::DC& dc, const plat::DrawItem& item) const;

protected:
    void Attached() override;

private:
    int m_kind;
    plat::Color m_colour;
    int m_count;
    std::vector<std::string> m_rows;
};

// Control ids of the selection dialog.
inline constexpr int IDC_LISTPROMPT = 4080;
inline constexpr int IDC_TYPELIST = 5072;

// The selection dialog (resource 4002): its caption and prompt by kind; OK writes the chosen
// row (-1 when none) to the caller's integer, which also gives the row selected first.
class TMyList : public plat::Dialog {
public:
    TMyList(plat::Window* parent, const TStructure* structure, int kind, int* chosen, int count,
            plat::Color colour);
    TMyList(plat::Window* parent, int kind, int* chosen, std::vector<std::string> rows);
    ~TMyList() override;

    void SetupWindow() override;
    void CloseWindow(int result) override;
    ODAListBox& List() { return *m_list; }

private:
    std::unique_ptr<ODAListBox> m_list;
    int* m_chosen;
    int m_kind;
};
