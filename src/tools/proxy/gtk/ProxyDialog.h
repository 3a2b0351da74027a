#pragma once
// "プロキシ サーバーの設定": the list of proxy.ini's entries and the fields of
// the chosen one. The fields go into their entry when another entry is
// chosen, on "OK" beside the list, and on the dialog's OK, which saves the
// list through `save`; a save that fails is told and the dialog stays open.
#include <gtkmm.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "tools/proxy/ProxyEntry.h"

namespace fern {

class ProxyDialog : public Gtk::Dialog {
public:
    using Save = std::function<bool(const std::vector<ProxyEntry>& entries, std::string* error)>;
    ProxyDialog(Gtk::Window* parent, std::vector<ProxyEntry> entries, Save save);

private:
    std::vector<ProxyEntry> m_entries;
    Save m_save;
    int m_selected = -1;
    bool m_filling = false;
    Gtk::ListViewText m_list{1};
    Gtk::Entry m_title, m_exceptions;
    std::array<Gtk::Entry, kProxySchemeCount> m_hosts, m_ports;
    Gtk::CheckButton m_sameForAll, m_bypassLocal;
    Gtk::Label m_unexpressed;                  // the exceptions the engine cannot apply
    std::vector<Gtk::Widget*> m_otherSchemes;  // off while one server serves all

    Gtk::Widget* ListColumn();
    Gtk::Widget* FieldsColumn();
    void FillList(int select);
    void ShowEntry(int index);
    void StoreEntry();
    void Move(int by);
    void Sync();
    void ShowUnexpressed();
    void OnResponse(int response);
};

}  // namespace fern
