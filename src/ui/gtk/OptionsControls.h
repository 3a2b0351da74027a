#pragma once
// Building blocks of the options pages: a check box, a number with its
// label, a choice with its label, laid out in a column; every control is
// named for a screen reader by its visible label.
#include <gtkmm.h>

#include <string>
#include <vector>

namespace fern {

class OptionsColumn : public Gtk::Box {
public:
    OptionsColumn();

    // "&" in the texts marks the mnemonic (Shift-JIS).
    Gtk::CheckButton& Check(const std::string& text);
    // A number field after a label, indented under the control before it.
    Gtk::SpinButton& Number(const std::string& label, int min, int max, const std::string& unit = {});
    Gtk::ComboBoxText& Choice(const std::string& label, const std::vector<std::string>& items);
    Gtk::ColorButton& Colour(const std::string& label);
    // A one-line text field after its label.
    Gtk::Entry& Text(const std::string& label);
    // A push button on a row of its own, or beside the control made last.
    Gtk::Button& Button(const std::string& text, bool besideLast = false);
    // "再起動後に有効になります" behind the control made last: hidden until
    // the page shows it for a stored value that differs from the running one.
    Gtk::Label& Pending();
    // A line of text that wraps (a warning about the page).
    void Note(const std::string& text);
    // A heading for the controls that follow.
    void Heading(const std::string& text);

private:
    Gtk::Box* m_last = nullptr;  // the row of the control made last
};

// The platform's 0x00BBGGRR colour and GTK's.
Gdk::RGBA RgbaOfColour(int bgr);
int ColourOfRgba(const Gdk::RGBA& rgba);

// A choice that shows the stored value (values it has no item for show as
// item 0) and writes the stored value back unchanged when the user did not
// pick another item.
int ChoiceIndex(int stored, int items);
int ChosenValue(int index, int stored, int items);

}  // namespace fern
