#include "frame/gtk/TabBarAccessible.h"

#include <gtk/gtk-a11y.h>

#include <algorithm>
#include <set>
#include <vector>

#include "platform/text/Encoding.h"

namespace fern {

namespace {

constexpr const char* kSourceKey = "fern-tab-bar-access-source";
constexpr const char* kAccessibleKey = "fern-tab-bar-accessible";

ITabBarAccessSource* SourceOf(GtkWidget* widget) {
    return widget ? static_cast<ITabBarAccessSource*>(g_object_get_data(G_OBJECT(widget), kSourceKey))
                  : nullptr;
}

}  // namespace

}  // namespace fern

// GObject types, in the C style the type macros expect. ------------------------

extern "C" {

typedef struct _FernTabBarAccessible FernTabBarAccessible;

typedef struct {
    AtkObject parent;
    FernTabBarAccessible* bar;  // not owned; cleared when the bar drops the tab
    int index;
} FernTabAccessible;

typedef struct {
    AtkObjectClass parent_class;
} FernTabAccessibleClass;

struct _FernTabBarAccessible {
    GtkWidgetAccessible parent;
    std::vector<FernTabAccessible*>* children;  // owned references
    std::vector<const void*>* keys;
    const void* selected;  // key of the selected tab, nullptr when none
    bool populated;
};

typedef struct {
    GtkWidgetAccessibleClass parent_class;
} FernTabBarAccessibleClass;

static void fern_tab_accessible_component_init(AtkComponentIface* iface);
static void fern_tab_accessible_action_init(AtkActionIface* iface);
static void fern_tab_bar_accessible_selection_init(AtkSelectionIface* iface);

G_DEFINE_TYPE_WITH_CODE(FernTabAccessible, fern_tab_accessible, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT, fern_tab_accessible_component_init)
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, fern_tab_accessible_action_init))

G_DEFINE_TYPE_WITH_CODE(FernTabBarAccessible, fern_tab_bar_accessible, GTK_TYPE_WIDGET_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_SELECTION, fern_tab_bar_accessible_selection_init))

}  // extern "C"

namespace fern {

namespace {

FernTabBarAccessible* AsBar(gpointer p) {
    return G_TYPE_CHECK_INSTANCE_CAST(p, fern_tab_bar_accessible_get_type(), FernTabBarAccessible);
}
FernTabAccessible* AsTab(gpointer p) {
    return G_TYPE_CHECK_INSTANCE_CAST(p, fern_tab_accessible_get_type(), FernTabAccessible);
}

GtkWidget* WidgetOf(FernTabBarAccessible* bar) {
    return bar ? gtk_accessible_get_widget(GTK_ACCESSIBLE(bar)) : nullptr;
}

ITabBarAccessSource* SourceOfBar(FernTabBarAccessible* bar) { return SourceOf(WidgetOf(bar)); }

// Keys of the current items; positions stand in when the items cannot be
// told apart by their key.
std::vector<const void*> CurrentKeys(ITabBarAccessSource* source) {
    std::vector<const void*> keys;
    int n = source ? source->AccessCount() : 0;
    std::set<const void*> seen;
    bool unique = true;
    for (int i = 0; i < n; ++i) {
        const void* k = source->AccessKey(i);
        if (!k || !seen.insert(k).second) unique = false;
        keys.push_back(k);
    }
    if (!unique)
        for (int i = 0; i < n; ++i) keys[i] = reinterpret_cast<const void*>(static_cast<std::intptr_t>(i + 1));
    return keys;
}

FernTabAccessible* NewTab(FernTabBarAccessible* bar, int index, const std::string& name) {
    auto* tab = AsTab(g_object_new(fern_tab_accessible_get_type(), nullptr));
    tab->bar = bar;
    tab->index = index;
    AtkObject* obj = ATK_OBJECT(tab);
    obj->role = ATK_ROLE_PAGE_TAB;
    atk_object_set_parent(obj, ATK_OBJECT(bar));
    atk_object_set_name(obj, name.c_str());
    return tab;
}

const void* SelectedKey(FernTabBarAccessible* bar, ITabBarAccessSource* source) {
    int i = source ? source->AccessSelected() : -1;
    return (i >= 0 && i < static_cast<int>(bar->keys->size())) ? (*bar->keys)[i] : nullptr;
}

FernTabAccessible* ChildWithKey(FernTabBarAccessible* bar, const void* key) {
    auto it = std::find(bar->keys->begin(), bar->keys->end(), key);
    return (key && it != bar->keys->end()) ? (*bar->children)[it - bar->keys->begin()] : nullptr;
}

void Populate(FernTabBarAccessible* bar) {
    ITabBarAccessSource* source = SourceOfBar(bar);
    *bar->keys = CurrentKeys(source);
    for (std::size_t i = 0; i < bar->keys->size(); ++i)
        bar->children->push_back(NewTab(bar, static_cast<int>(i), source->AccessName(static_cast<int>(i))));
    bar->selected = SelectedKey(bar, source);
    bar->populated = true;
}

void DropChildren(FernTabBarAccessible* bar) {
    for (FernTabAccessible* tab : *bar->children) {
        tab->bar = nullptr;
        atk_object_notify_state_change(ATK_OBJECT(tab), ATK_STATE_DEFUNCT, TRUE);
        g_object_unref(tab);
    }
    bar->children->clear();
    bar->keys->clear();
}

void Sync(FernTabBarAccessible* bar) {
    if (!bar->populated) {
        Populate(bar);
        return;
    }
    ITabBarAccessSource* source = SourceOfBar(bar);
    std::vector<const void*> keys = CurrentKeys(source);
    AtkObject* self = ATK_OBJECT(bar);

    // Gone tabs, from the back so each reported index is the current one.
    for (int j = static_cast<int>(bar->keys->size()) - 1; j >= 0; --j) {
        if (std::find(keys.begin(), keys.end(), (*bar->keys)[j]) != keys.end()) continue;
        FernTabAccessible* tab = (*bar->children)[j];
        bar->children->erase(bar->children->begin() + j);
        bar->keys->erase(bar->keys->begin() + j);
        tab->bar = nullptr;
        atk_object_notify_state_change(ATK_OBJECT(tab), ATK_STATE_DEFUNCT, TRUE);
        g_signal_emit_by_name(self, "children-changed::remove", j, tab);
        g_object_unref(tab);
    }

    // Kept tabs in their new order, new ones created.
    std::vector<FernTabAccessible*> next;
    std::vector<int> added;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        auto it = std::find(bar->keys->begin(), bar->keys->end(), keys[i]);
        std::string name = source->AccessName(static_cast<int>(i));
        if (it != bar->keys->end()) {
            FernTabAccessible* tab = (*bar->children)[it - bar->keys->begin()];
            tab->index = static_cast<int>(i);
            const char* old = atk_object_get_name(ATK_OBJECT(tab));
            if (!old || name != old) atk_object_set_name(ATK_OBJECT(tab), name.c_str());
            next.push_back(tab);
        } else {
            next.push_back(NewTab(bar, static_cast<int>(i), name));
            added.push_back(static_cast<int>(i));
        }
    }
    *bar->children = std::move(next);
    *bar->keys = std::move(keys);
    for (int i : added) g_signal_emit_by_name(self, "children-changed::add", i, (*bar->children)[i]);

    // The selection changed when another tab is selected, not when the
    // selected tab merely moved.
    const void* selected = SelectedKey(bar, source);
    if (selected != bar->selected) {
        FernTabAccessible* old = ChildWithKey(bar, bar->selected);
        bar->selected = selected;
        if (old) atk_object_notify_state_change(ATK_OBJECT(old), ATK_STATE_SELECTED, FALSE);
        if (FernTabAccessible* now = ChildWithKey(bar, selected))
            atk_object_notify_state_change(ATK_OBJECT(now), ATK_STATE_SELECTED, TRUE);
        g_signal_emit_by_name(self, "selection-changed");
    }
}

FernTabAccessible* ChildAt(FernTabBarAccessible* bar, int i) {
    if (!bar->populated) Populate(bar);
    return (i >= 0 && i < static_cast<int>(bar->children->size())) ? (*bar->children)[i] : nullptr;
}

int SelectedOf(FernTabBarAccessible* bar) {
    ITabBarAccessSource* source = SourceOfBar(bar);
    return source ? source->AccessSelected() : -1;
}

}  // namespace

}  // namespace fern

using namespace fern;

extern "C" {

// The page tab list. ------------------------------------------------------------

static void fern_tab_bar_accessible_initialize(AtkObject* obj, gpointer data) {
    ATK_OBJECT_CLASS(fern_tab_bar_accessible_parent_class)->initialize(obj, data);
    obj->role = ATK_ROLE_PAGE_TAB_LIST;
    atk_object_set_name(obj, ToUtf8("タブ").c_str());
    g_object_set_data(G_OBJECT(data), kAccessibleKey, obj);
}

static gint fern_tab_bar_accessible_get_n_children(AtkObject* obj) {
    FernTabBarAccessible* bar = AsBar(obj);
    if (!WidgetOf(bar)) return 0;
    if (!bar->populated) Populate(bar);
    return static_cast<gint>(bar->children->size());
}

static AtkObject* fern_tab_bar_accessible_ref_child(AtkObject* obj, gint i) {
    FernTabBarAccessible* bar = AsBar(obj);
    if (!WidgetOf(bar)) return nullptr;
    FernTabAccessible* tab = ChildAt(bar, i);
    return tab ? ATK_OBJECT(g_object_ref(tab)) : nullptr;
}

static void fern_tab_bar_accessible_widget_unset(GtkAccessible* accessible) {
    DropChildren(AsBar(accessible));
    if (GTK_ACCESSIBLE_CLASS(fern_tab_bar_accessible_parent_class)->widget_unset)
        GTK_ACCESSIBLE_CLASS(fern_tab_bar_accessible_parent_class)->widget_unset(accessible);
}

static void fern_tab_bar_accessible_finalize(GObject* obj) {
    FernTabBarAccessible* bar = AsBar(obj);
    DropChildren(bar);
    delete bar->children;
    delete bar->keys;
    G_OBJECT_CLASS(fern_tab_bar_accessible_parent_class)->finalize(obj);
}

static void fern_tab_bar_accessible_init(FernTabBarAccessible* bar) {
    bar->children = new std::vector<FernTabAccessible*>();
    bar->keys = new std::vector<const void*>();
    bar->selected = nullptr;
    bar->populated = false;
}

static void fern_tab_bar_accessible_class_init(FernTabBarAccessibleClass* klass) {
    G_OBJECT_CLASS(klass)->finalize = fern_tab_bar_accessible_finalize;
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->initialize = fern_tab_bar_accessible_initialize;
    atk->get_n_children = fern_tab_bar_accessible_get_n_children;
    atk->ref_child = fern_tab_bar_accessible_ref_child;
    GTK_ACCESSIBLE_CLASS(klass)->widget_unset = fern_tab_bar_accessible_widget_unset;
}

static gboolean fern_tab_bar_accessible_add_selection(AtkSelection* selection, gint i) {
    ITabBarAccessSource* source = SourceOfBar(AsBar(selection));
    if (!source || i < 0 || i >= source->AccessCount()) return FALSE;
    source->AccessClick(i);
    return TRUE;
}

static gboolean fern_tab_bar_accessible_clear_selection(AtkSelection*) { return FALSE; }
static gboolean fern_tab_bar_accessible_remove_selection(AtkSelection*, gint) { return FALSE; }
static gboolean fern_tab_bar_accessible_select_all(AtkSelection*) { return FALSE; }

static AtkObject* fern_tab_bar_accessible_ref_selection(AtkSelection* selection, gint i) {
    FernTabBarAccessible* bar = AsBar(selection);
    if (i != 0 || !WidgetOf(bar)) return nullptr;
    FernTabAccessible* tab = ChildAt(bar, SelectedOf(bar));
    return tab ? ATK_OBJECT(g_object_ref(tab)) : nullptr;
}

static gint fern_tab_bar_accessible_get_selection_count(AtkSelection* selection) {
    FernTabBarAccessible* bar = AsBar(selection);
    return (WidgetOf(bar) && ChildAt(bar, SelectedOf(bar))) ? 1 : 0;
}

static gboolean fern_tab_bar_accessible_is_child_selected(AtkSelection* selection, gint i) {
    FernTabBarAccessible* bar = AsBar(selection);
    return WidgetOf(bar) && i >= 0 && i == SelectedOf(bar);
}

static void fern_tab_bar_accessible_selection_init(AtkSelectionIface* iface) {
    iface->add_selection = fern_tab_bar_accessible_add_selection;
    iface->clear_selection = fern_tab_bar_accessible_clear_selection;
    iface->remove_selection = fern_tab_bar_accessible_remove_selection;
    iface->select_all_selection = fern_tab_bar_accessible_select_all;
    iface->ref_selection = fern_tab_bar_accessible_ref_selection;
    iface->get_selection_count = fern_tab_bar_accessible_get_selection_count;
    iface->is_child_selected = fern_tab_bar_accessible_is_child_selected;
}

// One page tab. -------------------------------------------------------------------

static gint fern_tab_accessible_get_index_in_parent(AtkObject* obj) {
    FernTabAccessible* tab = AsTab(obj);
    return tab->bar ? tab->index : -1;
}

static AtkStateSet* fern_tab_accessible_ref_state_set(AtkObject* obj) {
    AtkStateSet* set = ATK_OBJECT_CLASS(fern_tab_accessible_parent_class)->ref_state_set(obj);
    FernTabAccessible* tab = AsTab(obj);
    GtkWidget* widget = WidgetOf(tab->bar);
    ITabBarAccessSource* source = SourceOf(widget);
    if (!source) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    atk_state_set_add_state(set, ATK_STATE_SELECTABLE);
    if (gtk_widget_is_sensitive(widget)) {
        atk_state_set_add_state(set, ATK_STATE_ENABLED);
        atk_state_set_add_state(set, ATK_STATE_SENSITIVE);
    }
    GdkRectangle box;
    if (source->AccessBox(tab->index, box)) {
        atk_state_set_add_state(set, ATK_STATE_VISIBLE);
        if (gtk_widget_get_mapped(widget)) atk_state_set_add_state(set, ATK_STATE_SHOWING);
    }
    if (tab->index == source->AccessSelected()) atk_state_set_add_state(set, ATK_STATE_SELECTED);
    return set;
}

static void fern_tab_accessible_init(FernTabAccessible* tab) {
    tab->bar = nullptr;
    tab->index = -1;
}

static void fern_tab_accessible_class_init(FernTabAccessibleClass* klass) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_index_in_parent = fern_tab_accessible_get_index_in_parent;
    atk->ref_state_set = fern_tab_accessible_ref_state_set;
}

static void fern_tab_accessible_get_extents(AtkComponent* component, gint* x, gint* y, gint* width,
                                            gint* height, AtkCoordType coords) {
    *x = *y = *width = *height = -1;
    FernTabAccessible* tab = AsTab(component);
    GtkWidget* widget = WidgetOf(tab->bar);
    ITabBarAccessSource* source = SourceOf(widget);
    GdkRectangle box;
    if (!source || !gtk_widget_get_realized(widget)) return;
    source->AccessBox(tab->index, box);
    int ox = 0, oy = 0;
    if (coords != ATK_XY_PARENT) {
        GdkWindow* window = gtk_widget_get_window(widget);
        gdk_window_get_origin(window, &ox, &oy);
        if (!gtk_widget_get_has_window(widget)) {
            GtkAllocation a;
            gtk_widget_get_allocation(widget, &a);
            ox += a.x;
            oy += a.y;
        }
        if (coords == ATK_XY_WINDOW) {
            int tx = 0, ty = 0;
            gdk_window_get_origin(gdk_window_get_toplevel(window), &tx, &ty);
            ox -= tx;
            oy -= ty;
        }
    }
    *x = box.x + ox;
    *y = box.y + oy;
    *width = box.width;
    *height = box.height;
}

static void fern_tab_accessible_component_init(AtkComponentIface* iface) {
    iface->get_extents = fern_tab_accessible_get_extents;
}

static gint fern_tab_accessible_get_n_actions(AtkAction*) { return 1; }

static const gchar* fern_tab_accessible_action_name(AtkAction*, gint i) {
    return i == 0 ? "click" : nullptr;
}

static gboolean fern_tab_accessible_do_action(AtkAction* action, gint i) {
    FernTabAccessible* tab = AsTab(action);
    ITabBarAccessSource* source = SourceOf(WidgetOf(tab->bar));
    if (i != 0 || !source) return FALSE;
    source->AccessClick(tab->index);
    return TRUE;
}

static void fern_tab_accessible_action_init(AtkActionIface* iface) {
    iface->get_n_actions = fern_tab_accessible_get_n_actions;
    iface->get_name = fern_tab_accessible_action_name;
    iface->do_action = fern_tab_accessible_do_action;
}

}  // extern "C"

namespace fern {

void InstallTabBarAccessible(GtkWidget* widget, ITabBarAccessSource* source) {
    g_object_set_data(G_OBJECT(widget), kSourceKey, source);
    gtk_widget_class_set_accessible_type(GTK_WIDGET_GET_CLASS(widget), fern_tab_bar_accessible_get_type());
}

void DetachTabBarAccessible(GtkWidget* widget) {
    g_object_set_data(G_OBJECT(widget), kSourceKey, nullptr);
    if (auto* obj = g_object_get_data(G_OBJECT(widget), kAccessibleKey)) DropChildren(AsBar(obj));
}

void TabBarAccessibleChanged(GtkWidget* widget) {
    auto* obj = g_object_get_data(G_OBJECT(widget), kAccessibleKey);
    if (obj && SourceOf(widget)) Sync(AsBar(obj));
}

}  // namespace fern
