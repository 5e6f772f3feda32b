#pragma once

#include <QObject>
#include <Qt>

#include <memory>

#include "framework/gui/control.h"

namespace fw {

class QtTimerDriver;
class Clipboard;

// The program's Qt shape of a cursor.
Qt::CursorShape ToQtCursor(Cursor cursor);

// Connects the Qt-free application layer to Qt for the life of the object; the program
// makes one right after its QApplication and before any form:
// - the command line and the program's path from Qt, the primary screen's size (followed
//   when it changes), the screen cursor as Qt's override cursor, the beep, the event pump
//   of ProcessMessages, Application::Terminate quitting the event loop;
// - posted messages delivered from the event loop right after the current event;
// - timers on the system clock driven by a QTimer;
// - the Qt modal loop, the Qt dialogs and the system clipboard.
// Its destruction frees the application's forms while Qt is still there and takes every
// handler back.
class QtPlatform {
public:
    QtPlatform();
    ~QtPlatform();
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

private:
    void DeliverPostedMessages();

    // The receiver of the Qt connections and queued calls: they end with it.
    QObject context_;
    std::unique_ptr<QtTimerDriver> timers_;
    std::unique_ptr<Clipboard> previousClipboard_;
    bool deliveryScheduled_ = false;
    bool overrideCursor_ = false;
};

} // namespace fw
