#include "chrome/gtk/IndicatorStripAccessible.h"

#include <gtk/gtk-a11y.h>

#include <vector>

namespace fern {

namespace {

constexpr const char* kSourceKey = "fern-indicator-strip-source";
constexpr const char* kNameKey = "fern-indicator-strip-name";
constexpr const char* kAccessibleKey = "fern-indicator-strip-accessible";

IIndicatorStripSource* SourceOf(GtkWidget* widget) {
    return widget ? static_cast<IIndicatorStripSource*>(g_object_get_data(G_OBJECT(widget), kSourceKey))
                  : nullptr;
}

}  // namespace

}  // namespace fern

extern "C" {

typedef struct _FernStripAccessible FernStripAccessible;

typedef struct {
    AtkObject parent;
    FernStripAccessible* strip;  // not owned; cleared when the strip goes
    int index;
    bool checked;  // as last reported
    bool shown;
} FernIndicatorAccessible;

typedef struct {
    AtkObjectClass parent_class;
} FernIndicatorAccessibleClass;

struct _FernStripAccessible {
    GtkWidgetAccessible parent;
    std::vector<FernIndicatorAccessible*>* children;  // owned references
};

typedef struct {
    GtkWidgetAccessibleClass parent_class;
} FernStripAccessibleClass;

static void fern_indicator_accessible_component_init(AtkComponentIface* iface);
static void fern_indicator_accessible_action_init(AtkActionIface* iface);

G_DEFINE_TYPE_WITH_CODE(FernIndicatorAccessible, fern_indicator_accessible, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT, fern_indicator_accessible_component_init)
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, fern_indicator_accessible_action_init))

G_DEFINE_TYPE(FernStripAccessible, fern_strip_accessible, GTK_TYPE_WIDGET_ACCESSIBLE)

}  // extern "C"

namespace fern {

namespace {

FernStripAccessible* AsStrip(gpointer p) {
    return G_TYPE_CHECK_INSTANCE_CAST(p, fern_strip_accessible_get_type(), FernStripAccessible);
}
FernIndicatorAccessible* AsIndicator(gpointer p) {
    return G_TYPE_CHECK_INSTANCE_CAST(p, fern_indicator_accessible_get_type(), FernIndicatorAccessible);
}

GtkWidget* WidgetOf(FernStripAccessible* strip) {
    return strip ? gtk_accessible_get_widget(GTK_ACCESSIBLE(strip)) : nullptr;
}

IIndicatorStripSource* SourceOfIndicator(FernIndicatorAccessible* item) {
    return SourceOf(WidgetOf(item->strip));
}

bool Shown(IIndicatorStripSource* source, int index) {
    GdkRectangle box;
    return source && source->IndicatorBox(index, box);
}

void Populate(FernStripAccessible* strip) {
    IIndicatorStripSource* source = SourceOf(WidgetOf(strip));
    if (!source || !strip->children->empty()) return;
    for (int i = 0; i < source->IndicatorCount(); ++i) {
        auto* item = AsIndicator(g_object_new(fern_indicator_accessible_get_type(), nullptr));
        item->strip = strip;
        item->index = i;
        item->checked = source->IndicatorChecked(i);
        item->shown = Shown(source, i);
        AtkObject* obj = ATK_OBJECT(item);
        obj->role = ATK_ROLE_TOGGLE_BUTTON;
        atk_object_set_parent(obj, ATK_OBJECT(strip));
        atk_object_set_name(obj, source->IndicatorName(i).c_str());
        strip->children->push_back(item);
    }
}

void DropChildren(FernStripAccessible* strip) {
    for (FernIndicatorAccessible* item : *strip->children) {
        item->strip = nullptr;
        atk_object_notify_state_change(ATK_OBJECT(item), ATK_STATE_DEFUNCT, TRUE);
        g_object_unref(item);
    }
    strip->children->clear();
}

void Sync(FernStripAccessible* strip) {
    IIndicatorStripSource* source = SourceOf(WidgetOf(strip));
    if (!source) return;
    for (FernIndicatorAccessible* item : *strip->children) {
        bool checked = source->IndicatorChecked(item->index);
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

}  // namespace

}  // namespace fern

using namespace fern;

extern "C" {

// The strip. ----------------------------------------------------------------------

static void fern_strip_accessible_initialize(AtkObject* obj, gpointer data) {
    ATK_OBJECT_CLASS(fern_strip_accessible_parent_class)->initialize(obj, data);
    obj->role = ATK_ROLE_TOOL_BAR;
    if (auto* name = static_cast<const char*>(g_object_get_data(G_OBJECT(data), kNameKey)))
        atk_object_set_name(obj, name);
    g_object_set_data(G_OBJECT(data), kAccessibleKey, obj);
}

static gint fern_strip_accessible_get_n_children(AtkObject* obj) {
    FernStripAccessible* strip = AsStrip(obj);
    if (!WidgetOf(strip)) return 0;
    Populate(strip);
    return static_cast<gint>(strip->children->size());
}

static AtkObject* fern_strip_accessible_ref_child(AtkObject* obj, gint i) {
    FernStripAccessible* strip = AsStrip(obj);
    if (!WidgetOf(strip)) return nullptr;
    Populate(strip);
    if (i < 0 || i >= static_cast<gint>(strip->children->size())) return nullptr;
    return ATK_OBJECT(g_object_ref((*strip->children)[i]));
}

static void fern_strip_accessible_widget_unset(GtkAccessible* accessible) {
    DropChildren(AsStrip(accessible));
    if (GTK_ACCESSIBLE_CLASS(fern_strip_accessible_parent_class)->widget_unset)
        GTK_ACCESSIBLE_CLASS(fern_strip_accessible_parent_class)->widget_unset(accessible);
}

static void fern_strip_accessible_finalize(GObject* obj) {
    FernStripAccessible* strip = AsStrip(obj);
    DropChildren(strip);
    delete strip->children;
    G_OBJECT_CLASS(fern_strip_accessible_parent_class)->finalize(obj);
}

static void fern_strip_accessible_init(FernStripAccessible* strip) {
    strip->children = new std::vector<FernIndicatorAccessible*>();
}

static void fern_strip_accessible_class_init(FernStripAccessibleClass* klass) {
    G_OBJECT_CLASS(klass)->finalize = fern_strip_accessible_finalize;
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->initialize = fern_strip_accessible_initialize;
    atk->get_n_children = fern_strip_accessible_get_n_children;
    atk->ref_child = fern_strip_accessible_ref_child;
    GTK_ACCESSIBLE_CLASS(klass)->widget_unset = fern_strip_accessible_widget_unset;
}

// One indicator. --------------------------------------------------------------------

static gint fern_indicator_accessible_get_index_in_parent(AtkObject* obj) {
    FernIndicatorAccessible* item = AsIndicator(obj);
    return item->strip ? item->index : -1;
}

static AtkStateSet* fern_indicator_accessible_ref_state_set(AtkObject* obj) {
    AtkStateSet* set = ATK_OBJECT_CLASS(fern_indicator_accessible_parent_class)->ref_state_set(obj);
    FernIndicatorAccessible* item = AsIndicator(obj);
    GtkWidget* widget = WidgetOf(item->strip);
    IIndicatorStripSource* source = SourceOf(widget);
    if (!source) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    atk_state_set_add_state(set, ATK_STATE_CHECKABLE);
    if (gtk_widget_is_sensitive(widget)) {
        atk_state_set_add_state(set, ATK_STATE_ENABLED);
        atk_state_set_add_state(set, ATK_STATE_SENSITIVE);
    }
    if (Shown(source, item->index)) {
        atk_state_set_add_state(set, ATK_STATE_VISIBLE);
        if (gtk_widget_get_mapped(widget)) atk_state_set_add_state(set, ATK_STATE_SHOWING);
    }
    if (source->IndicatorChecked(item->index)) atk_state_set_add_state(set, ATK_STATE_CHECKED);
    return set;
}

static void fern_indicator_accessible_init(FernIndicatorAccessible* item) {
    item->strip = nullptr;
    item->index = -1;
    item->checked = false;
    item->shown = false;
}

static void fern_indicator_accessible_class_init(FernIndicatorAccessibleClass* klass) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_index_in_parent = fern_indicator_accessible_get_index_in_parent;
    atk->ref_state_set = fern_indicator_accessible_ref_state_set;
}

static void fern_indicator_accessible_get_extents(AtkComponent* component, gint* x, gint* y, gint* width,
                                                  gint* height, AtkCoordType coords) {
    *x = *y = *width = *height = -1;
    FernIndicatorAccessible* item = AsIndicator(component);
    GtkWidget* widget = WidgetOf(item->strip);
    IIndicatorStripSource* source = SourceOf(widget);
    GdkRectangle box;
    if (!source || !gtk_widget_get_realized(widget) || !source->IndicatorBox(item->index, box)) return;
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

static void fern_indicator_accessible_component_init(AtkComponentIface* iface) {
    iface->get_extents = fern_indicator_accessible_get_extents;
}

static gint fern_indicator_accessible_get_n_actions(AtkAction*) { return 1; }

static const gchar* fern_indicator_accessible_action_name(AtkAction*, gint i) {
    return i == 0 ? "click" : nullptr;
}

static gboolean fern_indicator_accessible_do_action(AtkAction* action, gint i) {
    FernIndicatorAccessible* item = AsIndicator(action);
    IIndicatorStripSource* source = SourceOfIndicator(item);
    if (i != 0 || !source) return FALSE;
    source->IndicatorPress(item->index);
    return TRUE;
}

static void fern_indicator_accessible_action_init(AtkActionIface* iface) {
    iface->get_n_actions = fern_indicator_accessible_get_n_actions;
    iface->get_name = fern_indicator_accessible_action_name;
    iface->do_action = fern_indicator_accessible_do_action;
}

}  // extern "C"

namespace fern {

void InstallIndicatorStripAccessible(GtkWidget* widget, IIndicatorStripSource* source, const std::string& name) {
    g_object_set_data(G_OBJECT(widget), kSourceKey, source);
    g_object_set_data_full(G_OBJECT(widget), kNameKey, g_strdup(name.c_str()), g_free);
    gtk_widget_class_set_accessible_type(GTK_WIDGET_GET_CLASS(widget), fern_strip_accessible_get_type());
}

void DetachIndicatorStripAccessible(GtkWidget* widget) {
    g_object_set_data(G_OBJECT(widget), kSourceKey, nullptr);
    if (auto* obj = g_object_get_data(G_OBJECT(widget), kAccessibleKey)) DropChildren(AsStrip(obj));
}

void IndicatorStripAccessibleChanged(GtkWidget* widget) {
    auto* obj = g_object_get_data(G_OBJECT(widget), kAccessibleKey);
    if (obj && SourceOf(widget)) Sync(AsStrip(obj));
}

}  // namespace fern
