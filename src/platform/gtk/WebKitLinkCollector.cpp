#include "platform/gtk/WebKitLinkCollector.h"

#include "platform/gtk/GuardedCall.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

const char kWorld[] = "fern";
const char kHandler[] = "fernLinks";

// Each frame finds its own path through parent and indexed access, which
// cross-origin windows allow. Targets and sources are the resolved
// addresses; an empty attribute gives an empty text, and control characters
// are percent-encoded so that one address is one line.
const char kCollector[] = R"JS((function () {
  if (window.__fernCollect) return;
  function fpath() {
    var p = [], w = window;
    while (w !== w.parent) {
      var q = w.parent, i = 0;
      for (; i < q.length; i++) if (q[i] === w) { p.unshift(i); break; }
      if (i === q.length) break;
      w = q;
    }
    return p;
  }
  function clean(u) {
    return String(u).replace(/[\x00-\x1f\x7f]/g, function (c) {
      var h = c.charCodeAt(0).toString(16).toUpperCase();
      return '%' + (h.length < 2 ? '0' + h : h);
    });
  }
  function given(e, name) {
    var v = e.getAttribute(name);
    return v !== null && v.trim() !== '';
  }
  function report(token) {
    var out = [], all = document.querySelectorAll('a[href],area[href],img'), n = all.length;
    for (var i = 0; i < n; i++) {
      var e = all[i];
      if (e.localName === 'img') out.push('I' + (given(e, 'src') ? clean(e.src) : ''));
      else out.push('A' + (given(e, 'href') ? clean(e.href) : ''));
    }
    window.webkit.messageHandlers.fernLinks.postMessage({token: token, path: fpath().join('.'),
      url: clean(location.href), title: String(document.title), items: out.join('\n'), nframes: window.length});
    for (var j = 0; j < window.length; j++) {
      try { window[j].postMessage({fernCollect: token}, '*'); } catch (x) {}
    }
  }
  window.__fernCollect = report;
  window.addEventListener('message', function (e) {
    if (e.source === window.parent && e.data && typeof e.data.fernCollect === 'string') report(e.data.fernCollect);
  });
})();)JS";

std::string Property(JSCValue* object, const char* name) {
    JSCValue* value = jsc_value_object_get_property(object, name);
    std::string text;
    if (value && jsc_value_is_string(value)) {
        char* s = jsc_value_to_string(value);
        text = s ? s : "";
        g_free(s);
    }
    if (value) g_object_unref(value);
    return text;
}

int IntProperty(JSCValue* object, const char* name) {
    JSCValue* value = jsc_value_object_get_property(object, name);
    int number = value && jsc_value_is_number(value) ? jsc_value_to_int32(value) : 0;
    if (value) g_object_unref(value);
    return number;
}

}  // namespace

void InstallLinkCollector(WebKitUserContentManager* content) {
    WebKitUserScript* script =
        webkit_user_script_new_for_world(kCollector, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                         WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_END, kWorld, nullptr, nullptr);
    webkit_user_content_manager_add_script(content, script);
    webkit_user_script_unref(script);
    webkit_user_content_manager_register_script_message_handler_in_world(content, kHandler, kWorld);
}

WebKitLinkCollection::WebKitLinkCollection(WebKitWebView* view, Done done, unsigned timeoutMs)
    : m_view(WEBKIT_WEB_VIEW(g_object_ref(view))),
      m_content(WEBKIT_USER_CONTENT_MANAGER(g_object_ref(webkit_web_view_get_user_content_manager(view)))),
      m_done(std::move(done)),
      m_self(std::make_shared<WebKitLinkCollection*>(this)) {
    // A token the page cannot guess, so its own messages are not taken as reports.
    char* uuid = g_uuid_string_random();
    m_token = uuid;
    g_free(uuid);
    g_signal_connect(m_content, "script-message-received::fernLinks", G_CALLBACK(OnMessage), this);
    m_timeout = g_timeout_add(
        timeoutMs,
        [](gpointer data) -> gboolean {
            auto* self = static_cast<WebKitLinkCollection*>(data);
            self->m_timeout = 0;
            Guard("link collection timeout", [&] { self->Finish(); });
            return G_SOURCE_REMOVE;
        },
        this);
    std::string call = "window.__fernCollect && window.__fernCollect('" + m_token + "')";
    auto* self = new std::shared_ptr<WebKitLinkCollection*>(m_self);
    webkit_web_view_evaluate_javascript(
        m_view, call.c_str(), -1, kWorld, nullptr, nullptr,
        [](GObject* view, GAsyncResult* result, gpointer data) {
            std::unique_ptr<std::shared_ptr<WebKitLinkCollection*>> weak(
                static_cast<std::shared_ptr<WebKitLinkCollection*>*>(data));
            GError* error = nullptr;
            JSCValue* value =
                webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, &error);
            if (value) g_object_unref(value);
            if (!error) return;
            g_error_free(error);
            // The page cannot be asked: what has come is all there is.
            if (WebKitLinkCollection* collection = **weak)
                Guard("link collection failed", [&] { collection->Finish(); });
        },
        self);
}

WebKitLinkCollection::~WebKitLinkCollection() {
    *m_self = nullptr;
    if (m_timeout) g_source_remove(m_timeout);
    g_signal_handlers_disconnect_by_data(m_content, this);
    g_object_unref(m_content);
    g_object_unref(m_view);
}

void WebKitLinkCollection::OnMessage(WebKitUserContentManager*, WebKitJavascriptResult* result,
                                     gpointer data) {
    Guard("link report", [&] {
        auto* self = static_cast<WebKitLinkCollection*>(data);
        if (self->m_finished) return;
        JSCValue* value = webkit_javascript_result_get_js_value(result);
        if (!value || !jsc_value_is_object(value) || Property(value, "token") != self->m_token) return;
        std::optional<std::vector<int>> path = ParseFramePath(Property(value, "path"));
        if (!path) return;
        FrameReport report;
        report.path = std::move(*path);
        report.url = FromUtf8(Property(value, "url"));
        report.title = FromUtf8(Property(value, "title"));
        report.links = ParsePageLinks(FromUtf8(Property(value, "items")));
        report.frameCount = IntProperty(value, "nframes");
        self->m_frames.Add(std::move(report));
        if (self->m_frames.Complete()) self->Finish();
    });
}

void WebKitLinkCollection::Finish() {
    if (m_finished) return;
    m_finished = true;
    if (m_timeout) {
        g_source_remove(m_timeout);
        m_timeout = 0;
    }
    Done done = std::move(m_done);
    done(m_frames.TakeDocuments());  // may destroy this object
}

}  // namespace fern
