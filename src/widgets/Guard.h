#pragma once

#include "DbError.h"
#include "MsgBox.h"

#include <exception>
#include <utility>

class QWidget;

// Runs an event handler's body; an error of the data layer ends the handler and reaches the user as an
// error box with its text. Nothing is thrown across the event loop. Returns false after an error.
template <typename F>
bool guard(QWidget* parent, F&& body)
{
    try {
        std::forward<F>(body)();
        return true;
    } catch (const DbError& e) {
        MsgBox::critical(parent, e.message());
    } catch (const std::exception& e) {
        MsgBox::critical(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}
