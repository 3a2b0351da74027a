#include "platform/gtk/WebKitSettingsCopy.h"

namespace fern {

WebKitSettings* CopyWebKitSettings(WebKitSettings* source) {
    WebKitSettings* copy = webkit_settings_new();
    if (!source) return copy;
    guint count = 0;
    GParamSpec** specs = g_object_class_list_properties(G_OBJECT_GET_CLASS(source), &count);
    g_object_freeze_notify(G_OBJECT(copy));
    for (guint i = 0; i < count; ++i) {
        GParamSpec* param = specs[i];
        const GParamFlags flags = param->flags;
        if (!(flags & G_PARAM_READABLE) || !(flags & G_PARAM_WRITABLE)) continue;
        if (flags & (G_PARAM_CONSTRUCT_ONLY | G_PARAM_DEPRECATED)) continue;
        GValue value = G_VALUE_INIT;
        g_value_init(&value, param->value_type);
        g_object_get_property(G_OBJECT(source), param->name, &value);
        g_object_set_property(G_OBJECT(copy), param->name, &value);
        g_value_unset(&value);
    }
    g_object_thaw_notify(G_OBJECT(copy));
    g_free(specs);
    return copy;
}

}  // namespace fern
