#include "ui/gtk/DrawnItemsAccessible.h"

#include <gtk/gtk-a11y.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

namespace fern {

namespace {

constexpr const char* kBindingKey = "fern-drawn-items-binding";
constexpr const char* kAccessibleKey = "fern-drawn-items-accessible";

// Kept on the widget; outlives the source, which detaches before it goes.
struct Binding {
    IDrawnItemsSource* source;
    DrawnItemsKind kind;
    std::string name;
};

Binding* BindingOf(GtkWidget* widget) {
    return widget ? static_cast<Binding*>(g_object_get_data(G_OBJECT(widget), kBindingKey)) : nullptr;
}

IDrawnItemsSource* SourceOf(GtkWidget* widget) {
    Binding* binding = BindingOf(widget);
    return binding ? binding->source : nullptr;
}

bool IsTabs(GtkWidget* widget) {
    Binding* binding = BindingOf(widget);
    return binding && binding->kind == DrawnItemsKind::PageTabs;
}

AtkRole ItemRole(GtkWidget* widget) {
    Binding* binding = BindingOf(widget);
    if (!binding) return ATK_ROLE_TOGGLE_BUTTON;
    switch (binding->kind) {
        case DrawnItemsKind::PageTabs: return ATK_ROLE_PAGE_TAB;
        case DrawnItemsKind::PushButtons: return ATK_ROLE_PUSH_BUTTON;
        case DrawnItemsKind::Toggles: break;
    }
    return ATK_ROLE_TOGGLE_BUTTON;
}

}  // namespace

}  // namespace fern

// GObject types, in the C style the type macros expect. ------------------------

extern "C" {

typedef struct _FernDrawnItemsAccessible FernDrawnItemsAccessible;

typedef struct {
    AtkObject parent;
    FernDrawnItemsAccessible* owner;  // not owned; cleared when the owner drops the item
    int index;
    bool checked;  // as last reported
    bool shown;
} FernDrawnItemAccessible;

typedef struct {
    AtkObjectClass parent_class;
} FernDrawnItemAccessibleClass;

struct _FernDrawnItemsAccessible {
    GtkWidgetAccessible parent;
    std::vector<FernDrawnItemAccessible*>* children;  // owned references
    std::vector<const void*>* keys;
    const void* selected;  // key of the selected item, nullptr when none
    bool populated;
};

typedef struct {
    GtkWidgetAccessibleClass parent_class;
} FernDrawnItemsAccessibleClass;

// The page tab list: the same with the selection interface.
typedef struct {
    FernDrawnItemsAccessible parent;
} FernDrawnTabsAccessible;

typedef struct {
    FernDrawnItemsAccessibleClass parent_class;
} FernDrawnTabsAccessibleClass;

static void fern_drawn_item_accessible_component_init(AtkComponentIface* iface);
static void fern_drawn_item_accessible_action_init(AtkActionIface* iface);
static void fern_drawn_tabs_accessible_selection_init(AtkSelectionIface* iface);

G_DEFINE_TYPE_WITH_CODE(FernDrawnItemAccessible, fern_drawn_item_accessible, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT, fern_drawn_item_accessible_component_init)
                            G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, fern_drawn_item_accessible_action_init))

G_DEFINE_TYPE(FernDrawnItemsAccessible, fern_drawn_items_accessible, GTK_TYPE_WIDGET_ACCESSIBLE)

G_DEFINE_TYPE_WITH_CODE(FernDrawnTabsAccessible, fern_drawn_tabs_accessible,
                        fern_drawn_items_accessible_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_SELECTION, fern_drawn_tabs_accessible_selection_init))

}  // extern "C"

namespace fern {

namespace {

FernDrawnItemsAccessible* AsOwner(gpointer p) {
    return G_TYPE_CHECK_INSTANCE_CAST(p, fern_drawn_items_accessible_get_type(), FernDrawnItemsAccessible);
}
FernDrawnItemAccessible* AsItem(gpointer p) {
    return G_TYPE_CHECK_INSTANCE_CAST(p, fern_drawn_item_accessible_get_type(), FernDrawnItemAccessible);
}

GtkWidget* WidgetOf(FernDrawnItemsAccessible* owner) {
    return owner ? gtk_accessible_get_widget(GTK_ACCESSIBLE(owner)) : nullptr;
}

IDrawnItemsSource* SourceOfOwner(FernDrawnItemsAccessible* owner) { return SourceOf(WidgetOf(owner)); }

bool Shown(IDrawnItemsSource* source, int index) {
    GdkRectangle box;
    return source && source->AccessBox(index, box);
}

// Keys of the current items; positions stand in when the items cannot be
// told apart by their key.
std::vector<const void*> CurrentKeys(IDrawnItemsSource* source) {
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
        for (int i = 0; i < n; ++i)
            keys[i] = reinterpret_cast<const void*>(static_cast<std::intptr_t>(i + 1));
    return keys;
}

FernDrawnItemAccessible* NewItem(FernDrawnItemsAccessible* owner, IDrawnItemsSource* source, int index,
                                 const std::string& name) {
    auto* item = AsItem(g_object_new(fern_drawn_item_accessible_get_type(), nullptr));
    item->owner = owner;
    item->index = index;
    item->checked = source->AccessChecked(index);
    item->shown = Shown(source, index);
    AtkObject* obj = ATK_OBJECT(item);
    obj->role = ItemRole(WidgetOf(owner));
    atk_object_set_parent(obj, ATK_OBJECT(owner));
    atk_object_set_name(obj, name.c_str());
    return item;
}

const void* SelectedKey(FernDrawnItemsAccessible* owner, IDrawnItemsSource* source) {
    int i = source ? source->AccessSelected() : -1;
    return (i >= 0 && i < static_cast<int>(owner->keys->size())) ? (*owner->keys)[i] : nullptr;
}

FernDrawnItemAccessible* ChildWithKey(FernDrawnItemsAccessible* owner, const void* key) {
    auto it = std::find(owner->keys->begin(), owner->keys->end(), key);
    return (key && it != owner->keys->end()) ? (*owner->children)[it - owner->keys->begin()] : nullptr;
}

void SetDescription(FernDrawnItemAccessible* item, const std::string& text) {
    const char* old = atk_object_get_description(ATK_OBJECT(item));
    if ((old ? old : "") != text) atk_object_set_description(ATK_OBJECT(item), text.c_str());
}

void Populate(FernDrawnItemsAccessible* owner) {
    IDrawnItemsSource* source = SourceOfOwner(owner);
    *owner->keys = CurrentKeys(source);
    for (std::size_t i = 0; i < owner->keys->size(); ++i) {
        int index = static_cast<int>(i);
        owner->children->push_back(NewItem(owner, source, index, source->AccessName(index)));
        SetDescription(owner->children->back(), source->AccessDescription(index));
    }
    owner->selected = SelectedKey(owner, source);
    owner->populated = true;
}

void Defunct(FernDrawnItemAccessible* item) {
    item->owner = nullptr;
    atk_object_notify_state_change(ATK_OBJECT(item), ATK_STATE_DEFUNCT, TRUE);
}

void DropChildren(FernDrawnItemsAccessible* owner) {
    for (FernDrawnItemAccessible* item : *owner->children) {
        Defunct(item);
        g_object_unref(item);
    }
    owner->children->clear();
    owner->keys->clear();
}

// Gone items out, kept ones in their new order with their new names, new
// ones in, each with its notification.
void SyncChildren(FernDrawnItemsAccessible* owner, IDrawnItemsSource* source) {
    std::vector<const void*> keys = CurrentKeys(source);
    AtkObject* self = ATK_OBJECT(owner);

    // From the back so each reported index is the current one.
    for (int j = static_cast<int>(owner->keys->size()) - 1; j >= 0; --j) {
        if (std::find(keys.begin(), keys.end(), (*owner->keys)[j]) != keys.end()) continue;
        FernDrawnItemAccessible* item = (*owner->children)[j];
        owner->children->erase(owner->children->begin() + j);
        owner->keys->erase(owner->keys->begin() + j);
        Defunct(item);
        g_signal_emit_by_name(self, "children-changed::remove", j, item);
        g_object_unref(item);
    }

    std::vector<FernDrawnItemAccessible*> next;
    std::vector<int> added;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        int index = static_cast<int>(i);
        auto it = std::find(owner->keys->begin(), owner->keys->end(), keys[i]);
        std::string name = source->AccessName(index);
        if (it != owner->keys->end()) {
            FernDrawnItemAccessible* item = (*owner->children)[it - owner->keys->begin()];
            item->index = index;
            const char* old = atk_object_get_name(ATK_OBJECT(item));
            if (!old || name != old) atk_object_set_name(ATK_OBJECT(item), name.c_str());
            next.push_back(item);
        } else {
            next.push_back(NewItem(owner, source, index, name));
            added.push_back(index);
        }
        SetDescription(next.back(), source->AccessDescription(index));
    }
    *owner->children = std::move(next);
    *owner->keys = std::move(keys);
    for (int i : added) g_signal_emit_by_name(self, "children-changed::add", i, (*owner->children)[i]);
}

// The selection changed when another tab is selected, not when the selected
// tab merely moved.
void SyncSelection(FernDrawnItemsAccessible* owner, IDrawnItemsSource* source) {
    const void* selected = SelectedKey(owner, source);
    if (selected == owner->selected) return;
    FernDrawnItemAccessible* old = ChildWithKey(owner, owner->selected);
    owner->selected = selected;
    if (old) atk_object_notify_state_change(ATK_OBJECT(old), ATK_STATE_SELECTED, FALSE);
    if (FernDrawnItemAccessible* now = ChildWithKey(owner, selected))
        atk_object_notify_state_change(ATK_OBJECT(now), ATK_STATE_SELECTED, TRUE);
    g_signal_emit_by_name(ATK_OBJECT(owner), "selection-changed");
}

void SyncToggles(FernDrawnItemsAccessible* owner, IDrawnItemsSource* source) {
    for (FernDrawnItemAccessible* item : *owner->children) {
        bool checked = source->AccessChecked(item->index);
        if (checked != item->checked) {
            item->checked = checked;
            atk_object_notify_state_change(ATK_OBJECT(item), ATK_STATE_CHECKED, checked);
        }
        bool shown = Shown(source, item->index);
        if (shown != item->shown) {
            item->shown = shown;
            atk_object_notify_state_change(ATK_OBJECT(item), ATK_STATE_SHOWING, shown);
        }
    }
}

void Sync(FernDrawnItemsAccessible* owner) {
    if (!owner->populated) {
        Populate(owner);
        return;
    }
    IDrawnItemsSource* source = SourceOfOwner(owner);
    SyncChildren(owner, source);
    if (IsTabs(WidgetOf(owner))) SyncSelection(owner, source);
    else SyncToggles(owner, source);
}

FernDrawnItemAccessible* ChildAt(FernDrawnItemsAccessible* owner, int i) {
    if (!owner->populated) Populate(owner);
    return (i >= 0 && i < static_cast<int>(owner->children->size())) ? (*owner->children)[i] : nullptr;
}

int SelectedOf(FernDrawnItemsAccessible* owner) {
    IDrawnItemsSource* source = SourceOfOwner(owner);
    return source ? source->AccessSelected() : -1;
}

}  // namespace

}  // namespace fern

using namespace fern;

extern "C" {

// The widget. ---------------------------------------------------------------------

static void fern_drawn_items_accessible_initialize(AtkObject* obj, gpointer data) {
    ATK_OBJECT_CLASS(fern_drawn_items_accessible_parent_class)->initialize(obj, data);
    GtkWidget* widget = GTK_WIDGET(data);
    obj->role = IsTabs(widget) ? ATK_ROLE_PAGE_TAB_LIST : ATK_ROLE_TOOL_BAR;
    if (Binding* binding = BindingOf(widget)) atk_object_set_name(obj, binding->name.c_str());
    g_object_set_data(G_OBJECT(data), kAccessibleKey, obj);
}

static gint fern_drawn_items_accessible_get_n_children(AtkObject* obj) {
    FernDrawnItemsAccessible* owner = AsOwner(obj);
    if (!WidgetOf(owner)) return 0;
    if (!owner->populated) Populate(owner);
    return static_cast<gint>(owner->children->size());
}

static AtkObject* fern_drawn_items_accessible_ref_child(AtkObject* obj, gint i) {
    FernDrawnItemsAccessible* owner = AsOwner(obj);
    if (!WidgetOf(owner)) return nullptr;
    FernDrawnItemAccessible* item = ChildAt(owner, i);
    return item ? ATK_OBJECT(g_object_ref(item)) : nullptr;
}

static void fern_drawn_items_accessible_widget_unset(GtkAccessible* accessible) {
    DropChildren(AsOwner(accessible));
    if (GTK_ACCESSIBLE_CLASS(fern_drawn_items_accessible_parent_class)->widget_unset)
        GTK_ACCESSIBLE_CLASS(fern_drawn_items_accessible_parent_class)->widget_unset(accessible);
}

static void fern_drawn_items_accessible_finalize(GObject* obj) {
    FernDrawnItemsAccessible* owner = AsOwner(obj);
    DropChildren(owner);
    delete owner->children;
    delete owner->keys;
    G_OBJECT_CLASS(fern_drawn_items_accessible_parent_class)->finalize(obj);
}

static void fern_drawn_items_accessible_init(FernDrawnItemsAccessible* owner) {
    owner->children = new std::vector<FernDrawnItemAccessible*>();
    owner->keys = new std::vector<const void*>();
    owner->selected = nullptr;
    owner->populated = false;
}

static void fern_drawn_items_accessible_class_init(FernDrawnItemsAccessibleClass* klass) {
    G_OBJECT_CLASS(klass)->finalize = fern_drawn_items_accessible_finalize;
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->initialize = fern_drawn_items_accessible_initialize;
    atk->get_n_children = fern_drawn_items_accessible_get_n_children;
    atk->ref_child = fern_drawn_items_accessible_ref_child;
    GTK_ACCESSIBLE_CLASS(klass)->widget_unset = fern_drawn_items_accessible_widget_unset;
}

// The page tab list's selection. --------------------------------------------------

static void fern_drawn_tabs_accessible_init(FernDrawnTabsAccessible*) {}
static void fern_drawn_tabs_accessible_class_init(FernDrawnTabsAccessibleClass*) {}

static gboolean fern_drawn_tabs_accessible_add_selection(AtkSelection* selection, gint i) {
    IDrawnItemsSource* source = SourceOfOwner(AsOwner(selection));
    if (!source || i < 0 || i >= source->AccessCount()) return FALSE;
    source->AccessClick(i);
    return TRUE;
}

static gboolean fern_drawn_tabs_accessible_clear_selection(AtkSelection*) { return FALSE; }
static gboolean fern_drawn_tabs_accessible_remove_selection(AtkSelection*, gint) { return FALSE; }
static gboolean fern_drawn_tabs_accessible_select_all(AtkSelection*) { return FALSE; }

static AtkObject* fern_drawn_tabs_accessible_ref_selection(AtkSelection* selection, gint i) {
    FernDrawnItemsAccessible* owner = AsOwner(selection);
    if (i != 0 || !WidgetOf(owner)) return nullptr;
    FernDrawnItemAccessible* item = ChildAt(owner, SelectedOf(owner));
    return item ? ATK_OBJECT(g_object_ref(item)) : nullptr;
}

static gint fern_drawn_tabs_accessible_get_selection_count(AtkSelection* selection) {
    FernDrawnItemsAccessible* owner = AsOwner(selection);
    return (WidgetOf(owner) && ChildAt(owner, SelectedOf(owner))) ? 1 : 0;
}

static gboolean fern_drawn_tabs_accessible_is_child_selected(AtkSelection* selection, gint i) {
    FernDrawnItemsAccessible* owner = AsOwner(selection);
    return WidgetOf(owner) && i >= 0 && i == SelectedOf(owner);
}

static void fern_drawn_tabs_accessible_selection_init(AtkSelectionIface* iface) {
    iface->add_selection = fern_drawn_tabs_accessible_add_selection;
    iface->clear_selection = fern_drawn_tabs_accessible_clear_selection;
    iface->remove_selection = fern_drawn_tabs_accessible_remove_selection;
    iface->select_all_selection = fern_drawn_tabs_accessible_select_all;
    iface->ref_selection = fern_drawn_tabs_accessible_ref_selection;
    iface->get_selection_count = fern_drawn_tabs_accessible_get_selection_count;
    iface->is_child_selected = fern_drawn_tabs_accessible_is_child_selected;
}

// One item. ------------------------------------------------------------------------

static gint fern_drawn_item_accessible_get_index_in_parent(AtkObject* obj) {
    FernDrawnItemAccessible* item = AsItem(obj);
    return item->owner ? item->index : -1;
}

static AtkStateSet* fern_drawn_item_accessible_ref_state_set(AtkObject* obj) {
    AtkStateSet* set = ATK_OBJECT_CLASS(fern_drawn_item_accessible_parent_class)->ref_state_set(obj);
    FernDrawnItemAccessible* item = AsItem(obj);
    GtkWidget* widget = WidgetOf(item->owner);
    IDrawnItemsSource* source = SourceOf(widget);
    if (!source) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    bool tabs = IsTabs(widget);
    if (tabs) atk_state_set_add_state(set, ATK_STATE_SELECTABLE);
    else if (ItemRole(widget) == ATK_ROLE_TOGGLE_BUTTON) atk_state_set_add_state(set, ATK_STATE_CHECKABLE);
    if (gtk_widget_is_sensitive(widget)) {
        atk_state_set_add_state(set, ATK_STATE_ENABLED);
        atk_state_set_add_state(set, ATK_STATE_SENSITIVE);
    }
    if (Shown(source, item->index)) {
        atk_state_set_add_state(set, ATK_STATE_VISIBLE);
        if (gtk_widget_get_mapped(widget)) atk_state_set_add_state(set, ATK_STATE_SHOWING);
    }
    if (tabs && item->index == source->AccessSelected()) atk_state_set_add_state(set, ATK_STATE_SELECTED);
    if (!tabs && source->AccessChecked(item->index)) atk_state_set_add_state(set, ATK_STATE_CHECKED);
    return set;
}

static void fern_drawn_item_accessible_init(FernDrawnItemAccessible* item) {
    item->owner = nullptr;
    item->index = -1;
    item->checked = false;
    item->shown = false;
}

static void fern_drawn_item_accessible_class_init(FernDrawnItemAccessibleClass* klass) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_index_in_parent = fern_drawn_item_accessible_get_index_in_parent;
    atk->ref_state_set = fern_drawn_item_accessible_ref_state_set;
}

static void fern_drawn_item_accessible_get_extents(AtkComponent* component, gint* x, gint* y, gint* width,
                                                   gint* height, AtkCoordType coords) {
    *x = *y = *width = *height = -1;
    FernDrawnItemAccessible* item = AsItem(component);
    GtkWidget* widget = WidgetOf(item->owner);
    IDrawnItemsSource* source = SourceOf(widget);
    if (!source || !gtk_widget_get_realized(widget)) return;
    GdkRectangle box{0, 0, -1, -1};  // a width left at -1: the item has no place
    source->AccessBox(item->index, box);
    if (box.width < 0) return;
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

static void fern_drawn_item_accessible_component_init(AtkComponentIface* iface) {
    iface->get_extents = fern_drawn_item_accessible_get_extents;
}

static gint fern_drawn_item_accessible_get_n_actions(AtkAction*) { return 1; }

static const gchar* fern_drawn_item_accessible_action_name(AtkAction*, gint i) {
    return i == 0 ? "click" : nullptr;
}

static gboolean fern_drawn_item_accessible_do_action(AtkAction* action, gint i) {
    FernDrawnItemAccessible* item = AsItem(action);
    IDrawnItemsSource* source = SourceOf(WidgetOf(item->owner));
    if (i != 0 || !source) return FALSE;
    source->AccessClick(item->index);
    return TRUE;
}

static void fern_drawn_item_accessible_action_init(AtkActionIface* iface) {
    iface->get_n_actions = fern_drawn_item_accessible_get_n_actions;
    iface->get_name = fern_drawn_item_accessible_action_name;
    iface->do_action = fern_drawn_item_accessible_do_action;
}

}  // extern "C"

namespace fern {

void InstallDrawnItemsAccessible(GtkWidget* widget, IDrawnItemsSource* source, DrawnItemsKind kind,
                                 const std::string& name) {
    g_object_set_data_full(G_OBJECT(widget), kBindingKey, new Binding{source, kind, name},
                           [](gpointer p) { delete static_cast<Binding*>(p); });
    GType type = kind == DrawnItemsKind::PageTabs ? fern_drawn_tabs_accessible_get_type()
                                                  : fern_drawn_items_accessible_get_type();
    gtk_widget_class_set_accessible_type(GTK_WIDGET_GET_CLASS(widget), type);
}

void DetachDrawnItemsAccessible(GtkWidget* widget) {
    if (Binding* binding = BindingOf(widget)) binding->source = nullptr;
    if (auto* obj = g_object_get_data(G_OBJECT(widget), kAccessibleKey)) DropChildren(AsOwner(obj));
}

void DrawnItemsAccessibleChanged(GtkWidget* widget) {
    auto* obj = g_object_get_data(G_OBJECT(widget), kAccessibleKey);
    if (obj && SourceOf(widget)) Sync(AsOwner(obj));
}

}  // namespace fern
