#include "platform/gtk/WebKitPageComments.h"

#include <cstdio>
#include <memory>

#include "platform/gtk/WebKitPageCommon.h"

namespace fern {

namespace {

// Comments in the body stay where they are; those elsewhere (the head,
// around the root) are gathered in a box at the top of the body. Run twice,
// it finds nothing more to show.
const char kShowComments[] = R"js((function () {
  var count = 0;
  var style = 'background:#ffffe1;color:#006400;border:1px dashed #808080;' +
              'font:12px monospace;white-space:pre-wrap;display:inline;';
  function box(doc, text) {
    var s = doc.createElementNS('http://www.w3.org/1999/xhtml', 'span');
    s.className = 'fern-comment';
    s.setAttribute('style', style);
    s.textContent = '<!--' + text + '-->';
    return s;
  }
  function show(doc) {
    if (!doc || !doc.documentElement) return;
    var body = doc.body;
    if (body && body.tagName === 'FRAMESET') body = null;
    var walker = doc.createTreeWalker(doc, NodeFilter.SHOW_COMMENT, null), list = [], node;
    while ((node = walker.nextNode())) list.push(node);
    var outside = [];
    for (var i = 0; i < list.length; i++) {
      var c = list[i];
      if (body && body.contains(c)) { c.parentNode.replaceChild(box(doc, c.data), c); count++; }
      else outside.push(c);
    }
    if (body && outside.length) {
      var head = doc.createElementNS('http://www.w3.org/1999/xhtml', 'div');
      head.className = 'fern-comment';
      for (var j = 0; j < outside.length; j++) {
        head.appendChild(box(doc, outside[j].data));
        outside[j].parentNode.removeChild(outside[j]);
        count++;
      }
      body.insertBefore(head, body.firstChild);
    }
    var w = doc.defaultView;
    if (!w) return;
    for (var k = 0; k < w.frames.length; k++) {
      try { show(w.frames[k].document); } catch (e) {}
    }
  }
  show(document);
  return count;
})())js";

struct Showing {
    std::shared_ptr<WeakWidget> page;
    std::function<void(int)> done;
};

void SetWaitCursor(GtkWidget* widget, bool on) {
    GdkWindow* window = gtk_widget_get_window(widget);
    if (!window) return;
    GdkCursor* cursor = on ? gdk_cursor_new_from_name(gdk_window_get_display(window), "wait") : nullptr;
    gdk_window_set_cursor(window, cursor);
    if (cursor) g_object_unref(cursor);
}

}  // namespace

void ShowPageComments(WebKitWebView* view, GCancellable* cancellable, std::function<void(int)> done) {
    SetWaitCursor(GTK_WIDGET(view), true);
    auto* showing = new Showing{std::make_shared<WeakWidget>(GTK_WIDGET(view)), std::move(done)};
    webkit_web_view_evaluate_javascript(
        view, kShowComments, -1, kFernScriptWorld, nullptr, cancellable,
        [](GObject* object, GAsyncResult* result, gpointer data) {
            std::unique_ptr<Showing> showing(static_cast<Showing*>(data));
            GError* error = nullptr;
            JSCValue* value =
                webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(object), result, &error);
            int count = -1;
            if (value && jsc_value_is_number(value)) count = jsc_value_to_int32(value);
            if (value) g_object_unref(value);
            const bool cancelled = error && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
            if (error && !cancelled) std::fprintf(stderr, "fern: comments not shown: %s\n", error->message);
            if (error) g_error_free(error);
            if (GtkWidget* page = showing->page->Get()) {
                SetWaitCursor(page, false);
                g_object_unref(page);
            }
            if (!cancelled && showing->done) showing->done(count);
        },
        showing);
}

}  // namespace fern
