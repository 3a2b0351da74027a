#include "platform/gtk/WebKitResendQuestion.h"

#include "platform/engine/BrowserEngine.h"
#include "platform/gtk/GuardedCall.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

struct Question {
    WebKitPolicyDecision* decision;
    std::function<void(bool)> answered;
    bool done = false;
};

// The view's open question, so that a second resubmission (a refresh timer
// firing again) is answered by the same question instead of a stack of them.
const char kOpenQuestion[] = "fern-resend-question";

void OnResponse(GtkDialog* dialog, gint response, gpointer data) {
    auto* q = static_cast<Question*>(data);
    q->done = true;
    const bool resend = response == GTK_RESPONSE_OK;
    if (resend) webkit_policy_decision_use(q->decision);
    else webkit_policy_decision_ignore(q->decision);
    std::function<void(bool)> answered = std::move(q->answered);
    gtk_widget_destroy(GTK_WIDGET(dialog));
    if (answered) Guard("resend answer", [&] { answered(resend); });
}

void OnDestroy(GtkWidget*, gpointer data) {
    auto* q = static_cast<Question*>(data);
    if (!q->done) webkit_policy_decision_ignore(q->decision);
    q->done = true;
}

// WebKit goes on with the newest navigation only, so the open question takes
// the new decision over and the one it held is turned down.
bool TakeOver(WebKitWebView* view, WebKitPolicyDecision* decision, std::function<void(bool)>& answered) {
    auto* q = static_cast<Question*>(g_object_get_data(G_OBJECT(view), kOpenQuestion));
    if (!q || q->done) return false;
    webkit_policy_decision_ignore(q->decision);
    g_object_unref(q->decision);
    q->decision = WEBKIT_POLICY_DECISION(g_object_ref(decision));
    q->answered = std::move(answered);
    return true;
}

}  // namespace

void AskToResend(WebKitWebView* view, WebKitPolicyDecision* decision, std::function<void(bool)> answered) {
    if (TakeOver(view, decision, answered)) return;
    GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view));
    GtkWindow* parent = gtk_widget_is_toplevel(top) ? GTK_WINDOW(top) : nullptr;
    GtkWidget* dialog = gtk_message_dialog_new(
        parent, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
        GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE, "%s",
        ToUtf8("このページを表示するには、フォームの情報をもう一度送信します。").c_str());
    gtk_message_dialog_format_secondary_text(
        GTK_MESSAGE_DIALOG(dialog), "%s",
        ToUtf8("注文や書き込みなどが繰り返されることがあります。送信しますか？").c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), kPageDialogCaption);
    atk_object_set_name(gtk_widget_get_accessible(dialog), kPageDialogCaption);
    gtk_widget_set_name(dialog, "fern-resend-question");
    gtk_dialog_add_button(GTK_DIALOG(dialog), ToUtf8("キャンセル").c_str(), GTK_RESPONSE_CANCEL);
    gtk_dialog_add_button(GTK_DIALOG(dialog), ToUtf8("再送信(_R)").c_str(), GTK_RESPONSE_OK);
    // Enter must not send it again by accident.
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);

    auto* q = new Question{WEBKIT_POLICY_DECISION(g_object_ref(decision)), std::move(answered)};
    g_signal_connect(dialog, "response", G_CALLBACK(OnResponse), q);
    g_object_set_data(G_OBJECT(view), kOpenQuestion, q);
    g_signal_connect_data(
        dialog, "destroy", G_CALLBACK(OnDestroy), q,
        [](gpointer data, GClosure*) {
            auto* q = static_cast<Question*>(data);
            g_object_unref(q->decision);
            delete q;
        },
        GConnectFlags(0));
    // The view may outlive the question (answered) or go first (closed).
    g_signal_connect_object(dialog, "destroy", G_CALLBACK(+[](GtkWidget*, gpointer view) {
                                g_object_set_data(G_OBJECT(view), kOpenQuestion, nullptr);
                            }),
                            view, GConnectFlags(0));
    // A tab closed meanwhile takes its question with it, unanswered.
    g_signal_connect_object(view, "destroy", G_CALLBACK(gtk_widget_destroy), dialog, G_CONNECT_SWAPPED);
    gtk_widget_show(dialog);
}

}  // namespace fern
