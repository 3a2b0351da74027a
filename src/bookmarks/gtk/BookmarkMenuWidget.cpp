#include "bookmarks/gtk/BookmarkMenuWidget.h"

#include "platform/gtk/GuardedCall.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

struct BookmarkMenuWidget::State {
    BookmarkMenu& model;
    Hooks hooks;
    Gtk::Menu* top = nullptr;
    // The folder submenus each shown menu holds, to fill when it opens.
    std::map<Gtk::Menu*, std::vector<std::pair<Gtk::Menu*, int>>> children;

    State(BookmarkMenu& m, Hooks h) : model(m), hooks(std::move(h)) {}

    Gtk::MenuItem* MakeItem(const BookmarkMenuItem& item);
    void Populate(Gtk::Menu& menu, int popup);
    void FillChildren(Gtk::Menu* menu);
    void FillChildrenSoon(Gtk::Menu* menu);
    void Opened(Gtk::Menu* sub, int index);
    // Counts refills of the top: work queued for an older one is dropped.
    unsigned generation = 0;
    std::weak_ptr<State> self;
    void RefillTop();
};

namespace {

void Clear(Gtk::Menu& menu) {
    for (Gtk::Widget* child : menu.get_children()) menu.remove(*child);  // managed: removing destroys it
}

}  // namespace

Gtk::MenuItem* BookmarkMenuWidget::State::MakeItem(const BookmarkMenuItem& item) {
    const BookmarkMenuEntry* entry = model.Entry(item.entry);
    bool isNode = entry && entry->kind == BookmarkMenuKind::Node;
    // A bookmark's name is shown as it is; the program's own items keep
    // their mnemonics.
    auto* menuItem = Gtk::manage(new Gtk::MenuItem());
    auto* label = Gtk::manage(isNode ? new Gtk::Label(ToUtf8(item.text), false)
                                     : new Gtk::Label(MnemonicLabel(item.text), true));
    label->set_xalign(0);
    if (!isNode) label->set_mnemonic_widget(*menuItem);
    menuItem->add(*label);
    int index = item.entry;
    menuItem->signal_select().connect([this, index] {
        model.SetHighlighted(index);
        if (hooks.prompt) hooks.prompt(model.MenuPrompt(kBookmarkMenuCommand));
    });
    menuItem->signal_deselect().connect([this] {
        if (hooks.prompt) hooks.prompt("");
    });
    if (item.type == BookmarkMenuItem::Type::Command) {
        menuItem->signal_activate().connect([this, index] {
            model.SetHighlighted(index);
            if (hooks.activate) hooks.activate(index);
        });
    }
    if (isNode && hooks.properties) {
        menuItem->signal_button_release_event().connect(
            [this, index, menuItem](GdkEventButton* event) {
                if (event->button != 3) return false;
                if (auto* shell = dynamic_cast<Gtk::MenuShell*>(menuItem->get_parent())) shell->deactivate();
                // Once the menu is gone, so the sheet does not open under a grab.
                Glib::signal_idle().connect_once([this, index] { hooks.properties(index); });
                return true;
            },
            false);
    }
    return menuItem;
}

void BookmarkMenuWidget::State::Populate(Gtk::Menu& menu, int popup) {
    Clear(menu);
    std::vector<std::pair<Gtk::Menu*, int>> subs;
    for (const BookmarkMenuItem& item : model.Items(popup)) {
        if (item.type == BookmarkMenuItem::Type::Separator) {
            menu.append(*Gtk::manage(new Gtk::SeparatorMenuItem()));
            continue;
        }
        if (item.entry < 0) {
            // "追加(&A)", "すべて追加(&C)": the program's commands.
            if (Gtk::MenuItem* command = hooks.commandItem ? hooks.commandItem(item.commandId) : nullptr)
                menu.append(*command);
            continue;
        }
        Gtk::MenuItem* menuItem = MakeItem(item);
        if (item.type == BookmarkMenuItem::Type::Submenu) {
            auto* sub = Gtk::manage(new Gtk::Menu());
            int subIndex = item.submenu;
            sub->signal_show().connect(
                [this, sub, subIndex] { Guard("bookmark submenu", [&] { Opened(sub, subIndex); }); });
            menuItem->set_submenu(*sub);
            subs.emplace_back(sub, subIndex);
        }
        menu.append(*menuItem);
    }
    children[&menu] = std::move(subs);
    menu.show_all();
}

void BookmarkMenuWidget::State::FillChildren(Gtk::Menu* menu) {
    auto it = children.find(menu);
    if (it == children.end()) return;
    std::vector<std::pair<Gtk::Menu*, int>> subs = it->second;
    for (auto& [sub, index] : subs) {
        if (model.IsFilled(index)) continue;
        // A folder deleted since the parent was filled stays empty.
        if (!model.BuildMenu(index)) continue;
        Populate(*sub, index);
    }
}

void BookmarkMenuWidget::State::FillChildrenSoon(Gtk::Menu* menu) {
    // Right after the menu is on the screen, so it shows at once and a
    // screen reader finds the folders' items before it enters one.
    std::weak_ptr<State> weak = self;
    unsigned at = generation;
    Glib::signal_idle().connect_once(
        [weak, at, menu] {
            std::shared_ptr<State> state = weak.lock();
            if (state && state->generation == at)
                Guard("bookmark submenus", [&] { state->FillChildren(menu); });
        },
        Glib::PRIORITY_LOW);
}

void BookmarkMenuWidget::State::Opened(Gtk::Menu* sub, int index) {
    // Opened before the idle fill came: filled now.
    if (!model.IsFilled(index) && model.BuildMenu(index)) Populate(*sub, index);
    FillChildrenSoon(sub);
}

void BookmarkMenuWidget::State::RefillTop() {
    if (!top) return;
    ++generation;
    children.clear();
    model.BuildMenu(BookmarkMenu::kTopPopup);
    Populate(*top, BookmarkMenu::kTopPopup);
    FillChildrenSoon(top);
}

BookmarkMenuWidget::BookmarkMenuWidget(BookmarkMenu& model, Hooks hooks)
    : m_state(std::make_shared<State>(model, std::move(hooks))) {
    m_state->self = m_state;
}

BookmarkMenuWidget::~BookmarkMenuWidget() {
    // The window's menu bar may outlive us: the items, whose handlers know
    // us, go now; the empty popup stays.
    if (m_state->top) Clear(*m_state->top);
}

Gtk::Menu* BookmarkMenuWidget::MakeMenu() {
    auto* menu = Gtk::manage(new Gtk::Menu());
    m_state->top = menu;
    m_state->children.clear();
    std::weak_ptr<State> weak = m_state;
    menu->signal_show().connect([weak, menu] {
        std::shared_ptr<State> state = weak.lock();
        if (!state || state->top != menu) return;
        Guard("bookmark menu", [&] { state->RefillTop(); });
    });
    // The menu bar drops the popup when the menus are rebuilt.
    struct Watch {
        std::weak_ptr<State> state;
        Gtk::Menu* menu;
    };
    g_signal_connect_data(
        menu->gobj(), "destroy", G_CALLBACK(+[](GtkWidget*, gpointer data) {
            auto* watch = static_cast<Watch*>(data);
            std::shared_ptr<State> state = watch->state.lock();
            if (state && state->top == watch->menu) {
                ++state->generation;
                state->top = nullptr;
                state->children.clear();
            }
        }),
        new Watch{weak, menu}, [](gpointer data, GClosure*) { delete static_cast<Watch*>(data); },
        GConnectFlags(0));
    m_state->RefillTop();
    return menu;
}

void BookmarkMenuWidget::Refill() { m_state->RefillTop(); }

}  // namespace fern
