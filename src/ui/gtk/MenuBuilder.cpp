#include "ui/gtk/MenuBuilder.h"

#include "commands/CommandCatalogue.h"
#include "commands/CommandRouter.h"
#include "commands/KeyManager.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

std::string MnemonicLabel(const std::string& sjisText) {
    std::string text = sjisText;
    std::size_t tab = SjisFind(text, '\t');
    if (tab != std::string::npos) text.erase(tab);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        SjisByteClass cls = SjisByteClassAt(text, i);
        if (cls != SjisByteClass::Single) {
            out += text[i];
            continue;
        }
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out += '&';
                ++i;
            } else {
                out += '_';
            }
        } else if (text[i] == '_') {
            out += "__";
        } else {
            out += text[i];
        }
    }
    return ToUtf8(out);
}

namespace {

const char kDynamicItem[] = "fern-dynamic-item";
const char kSyncing[] = "fern-syncing";

struct CommandEntry {
    Gtk::MenuItem* item;
    int id;
};

// The item's own label comes first, so its accessible name is the label;
// the key text follows at the right.
Gtk::MenuItem* MakeItem(const std::string& sjisText, bool check, const std::string& keyText) {
    Gtk::MenuItem* item = check ? Gtk::manage(new Gtk::CheckMenuItem()) : Gtk::manage(new Gtk::MenuItem());
    auto* box = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 24));
    auto* label = Gtk::manage(new Gtk::Label(MnemonicLabel(sjisText), true));
    label->set_xalign(0);
    label->set_mnemonic_widget(*item);
    box->pack_start(*label, Gtk::PACK_EXPAND_WIDGET);
    if (!keyText.empty()) {
        auto* keys = Gtk::manage(new Gtk::Label(ToUtf8(keyText)));
        keys->set_xalign(1);
        keys->get_style_context()->add_class("accelerator");
        box->pack_end(*keys, Gtk::PACK_SHRINK);
        // A screen reader reads the keys with the item.
        if (AtkObject* accessible = gtk_widget_get_accessible(GTK_WIDGET(item->gobj())))
            atk_object_set_description(accessible, ToUtf8(keyText).c_str());
    }
    item->add(*box);
    return item;
}

void Activated(Gtk::MenuItem* item, int id, const SharedMenuContext& context) {
    // A check item toggles itself when its state is set on opening.
    if (item->get_data(kSyncing)) return;
    if (context->run) context->run(id);
}

void ConnectPrompt(Gtk::MenuItem* item, std::string prompt, const SharedMenuContext& context) {
    if (!context->prompt) return;
    item->signal_select().connect([context, prompt] { context->prompt(prompt); });
    item->signal_deselect().connect([context] { context->prompt(""); });
}

Gtk::MenuItem* CommandMenuItem(int id, const std::string& ownText, const SharedMenuContext& context) {
    const CommandInfo* info = FindCommand(id);
    std::string text = !ownText.empty() ? ownText : info ? info->menuText : std::string("?");
    std::string keys = context->keys ? context->keys->KeyTextOf(id) : std::string();
    // A panel's own keys are written after a TAB in the menu text.
    std::size_t tab = SjisFind(text, '\t');
    if (keys.empty() && tab != std::string::npos) keys = text.substr(tab + 1);
    Gtk::MenuItem* item = MakeItem(text, info && info->check, keys);
    item->signal_activate().connect([item, id, context] { Activated(item, id, context); });
    if (info) ConnectPrompt(item, PromptText(*info), context);
    return item;
}

Gtk::MenuItem* MakeDynamicItem(const DynamicMenuItem& entry, const SharedMenuContext& context) {
    if (entry.id == 0 && entry.text.empty()) return Gtk::manage(new Gtk::SeparatorMenuItem());
    // The text after "\t" is the item's key text.
    std::size_t tab = SjisFind(entry.text, '\t');
    Gtk::MenuItem* item = MakeItem(entry.text, entry.check,
                                   tab == std::string::npos ? std::string() : entry.text.substr(tab + 1));
    int id = entry.id;
    // Made anew on every opening, so its mark is the router's at that moment.
    if (auto* check = dynamic_cast<Gtk::CheckMenuItem*>(item)) {
        check->set_data(kSyncing, reinterpret_cast<void*>(1));
        check->set_active(context->router->IsChecked(id));
        check->set_data(kSyncing, nullptr);
    }
    item->signal_activate().connect([item, id, context] { Activated(item, id, context); });
    return item;
}

// Replaces the dynamic items of `fill` that `menu` shows at `anchor`.
void Refill(Gtk::Menu& menu, Gtk::Widget* anchor, const std::string& fill, const SharedMenuContext& context) {
    for (Gtk::Widget* child : menu.get_children())
        if (child->get_data(kDynamicItem) == anchor) menu.remove(*child);  // managed: removing destroys it
    std::vector<Gtk::Widget*> children = menu.get_children();
    int position = 0;
    for (; position < static_cast<int>(children.size()); ++position)
        if (children[static_cast<std::size_t>(position)] == anchor) break;
    for (const DynamicMenuItem& entry : context->router->FillDynamicMenu(fill)) {
        Gtk::MenuItem* item = MakeDynamicItem(entry, context);
        item->set_data(kDynamicItem, anchor);
        item->show_all();
        menu.insert(*item, position++);
    }
}

struct BuiltMenu {
    Gtk::Menu* menu = nullptr;
    // Brings the items (and those of its submenus) up to date: dynamic items,
    // availability, check marks. Run when the menu or its parent opens, so a
    // screen reader finds the state before a submenu is entered.
    std::function<void()> refresh;
};

BuiltMenu Build(const std::vector<MenuNode>& nodes, const SharedMenuContext& context) {
    auto* menu = Gtk::manage(new Gtk::Menu());
    auto commands = std::make_shared<std::vector<CommandEntry>>();
    std::vector<std::function<void()>> steps;
    for (const MenuNode& node : nodes) {
        switch (node.kind) {
            case MenuNode::Kind::Separator: menu->append(*Gtk::manage(new Gtk::SeparatorMenuItem())); break;
            case MenuNode::Kind::Command: {
                Gtk::MenuItem* item = CommandMenuItem(node.id, node.text, context);
                commands->push_back({item, node.id});
                menu->append(*item);
                break;
            }
            case MenuNode::Kind::Submenu: {
                Gtk::MenuItem* item = MakeItem(node.text, false, "");
                BuiltMenu sub = Build(node.children, context);
                item->set_submenu(*sub.menu);
                steps.push_back(sub.refresh);
                menu->append(*item);
                break;
            }
            case MenuNode::Kind::Dynamic: {
                std::string fill = node.fill;
                if (Gtk::Menu* own =
                        !node.text.empty() && context->ownMenu ? context->ownMenu(fill) : nullptr) {
                    Gtk::MenuItem* item = MakeItem(node.text, false, "");
                    item->set_submenu(*own);
                    menu->append(*item);
                    break;
                }
                if (node.text.empty()) {
                    // Its items stand in its place, before an invisible anchor.
                    auto* anchor = Gtk::manage(new Gtk::SeparatorMenuItem());
                    anchor->set_no_show_all(true);
                    menu->append(*anchor);
                    steps.push_back([menu, anchor, fill, context] { Refill(*menu, anchor, fill, context); });
                    break;
                }
                Gtk::MenuItem* item = MakeItem(node.text, false, "");
                item->set_submenu(*Gtk::manage(new Gtk::Menu()));
                steps.push_back([item, fill, context] {
                    auto* sub = Gtk::manage(new Gtk::Menu());
                    std::vector<DynamicMenuItem> entries = context->router->FillDynamicMenu(fill);
                    for (const DynamicMenuItem& entry : entries)
                        sub->append(*MakeDynamicItem(entry, context));
                    sub->show_all();
                    item->set_submenu(*sub);
                    item->set_sensitive(!entries.empty());
                });
                menu->append(*item);
                break;
            }
        }
    }
    steps.push_back([commands, context] {
        for (const CommandEntry& entry : *commands) {
            entry.item->set_sensitive(context->router->IsEnabled(entry.id));
            if (auto* check = dynamic_cast<Gtk::CheckMenuItem*>(entry.item)) {
                check->set_data(kSyncing, reinterpret_cast<void*>(1));
                check->set_active(context->router->IsChecked(entry.id));
                check->set_data(kSyncing, nullptr);
            }
        }
    });
    auto refresh = [steps = std::move(steps)] {
        for (const auto& step : steps) step();
    };
    menu->signal_show().connect(refresh);
    menu->show_all();
    return {menu, refresh};
}

}  // namespace

Gtk::Menu* BuildMenu(const std::vector<MenuNode>& nodes, const SharedMenuContext& context) {
    return Build(nodes, context).menu;
}

Gtk::MenuItem* CommandMenuItem(int id, const SharedMenuContext& context) {
    return CommandMenuItem(id, "", context);
}

void FillMenuBar(Gtk::MenuBar& bar, const std::vector<MenuNode>& nodes, const SharedMenuContext& context) {
    for (Gtk::Widget* child : bar.get_children()) bar.remove(*child);
    for (const MenuNode& top : nodes) {
        auto* item = Gtk::manage(new Gtk::MenuItem(MnemonicLabel(top.text), true));
        Gtk::Menu* own =
            top.kind == MenuNode::Kind::Dynamic && context->ownMenu ? context->ownMenu(top.fill) : nullptr;
        item->set_submenu(own ? *own : *Build(top.children, context).menu);
        bar.append(*item);
    }
    bar.show_all();
}

}  // namespace fern
