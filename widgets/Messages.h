#pragma once

#include <QString>
#include <exception>
#include <type_traits>
#include <utility>

namespace widgets {

// The application title: caption of every message box.
inline constexpr const char *kApplicationTitle = "Hearthledger";

// A plain message: modal, titled with the application title, no icon, one OK.
void showMessage(const QString &text);

// A question with OK and Cancel and a question icon; true for OK.
bool confirm(const QString &text, const QString &title);

// The general error report: modal, stop icon, one OK; the program carries on.
void reportError(const QString &text);

// The report's text: a full stop is appended when the text is not empty and
// its last character sorts after "." (so ".", "!" and ")" get none).
QString errorReportText(const QString &text);

// Reports the exception being handled (call from a catch block).
void reportCurrentException();

// Wraps a handler so that an exception ends the command and reaches the
// general error report; what the handler did before the throw stays done.
// Signal arguments the handler does not take are dropped.
template <class F> auto guarded(F handler) {
    return [handler = std::move(handler)](auto &&...args) {
        try {
            if constexpr (std::is_invocable_v<F &, decltype(args)...>)
                handler(std::forward<decltype(args)>(args)...);
            else
                handler();
        } catch (...) {
            reportCurrentException();
        }
    };
}

} // namespace widgets
