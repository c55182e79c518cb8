#pragma once

#include <QCoreApplication>
#include <QObject>

#include <string>
#include <utility>

namespace vkr {

// Shows the error report for an error that escaped an event handler: a modal box with a stop
// icon, captioned "VKR Launcher", the text with a full stop added where one is missing.
void showErrorReport(const std::string& message);

// Runs an event handler. An exception that escapes it ends the handler, is shown in the error
// report and goes no further: nothing is ever thrown into Qt.
template <class F> void guarded(F&& handler) noexcept {
    try {
        std::forward<F>(handler)();
    } catch (const std::exception& e) {
        showErrorReport(e.what());
    } catch (...) {
        showErrorReport(QCoreApplication::translate("ErrorReport", "Unknown error").toStdString());
    }
}

// Connects a signal to a handler that takes no arguments and runs it through guarded().
template <class Sender, class Signal, class F>
QMetaObject::Connection onSignal(Sender* sender, Signal signal, const QObject* context, F handler) {
    return QObject::connect(sender, signal, context, [handler]() { guarded(handler); });
}

} // namespace vkr
