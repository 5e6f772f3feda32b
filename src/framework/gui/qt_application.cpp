#include "framework/gui/qt_application.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QStringList>

#include <string>
#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/message.h"
#include "framework/gui/qt_clipboard.h"
#include "framework/gui/qt_dialogs.h"
#include "framework/gui/qt_menu.h"
#include "framework/gui/qt_modal.h"
#include "framework/gui/qt_timer_driver.h"

namespace fw {

Qt::CursorShape ToQtCursor(Cursor cursor)
{
    switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crDrag: return Qt::DragMoveCursor;
    case crNoDrop: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crMultiDrag: return Qt::DragCopyCursor;
    case crNo: return Qt::ForbiddenCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

QtPlatform::QtPlatform()
{
    Application& application = App();

    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments()) {
        arguments.push_back(argument.toStdString());
    }
    application.SetCommandLine(std::move(arguments));
    application.SetExeName(QCoreApplication::applicationFilePath().toStdString());

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect geometry = screen->geometry();
        Screen::Instance().SetSize(geometry.width(), geometry.height());
        QObject::connect(screen, &QScreen::geometryChanged, &context_, [](const QRect& changed) {
            Screen::Instance().SetSize(changed.width(), changed.height());
        });
    }
    Screen::Instance().SetCursorHandler([this](Cursor cursor) {
        if (cursor == crDefault) {
            if (overrideCursor_) {
                QGuiApplication::restoreOverrideCursor();
                overrideCursor_ = false;
            }
        } else if (overrideCursor_) {
            QGuiApplication::changeOverrideCursor(QCursor(ToQtCursor(cursor)));
        } else {
            QGuiApplication::setOverrideCursor(QCursor(ToQtCursor(cursor)));
            overrideCursor_ = true;
        }
    });
    application.SetBeepHandler([](BeepKind) { QApplication::beep(); });
    application.SetEventPump([] { QCoreApplication::processEvents(); });
    application.SetWaitingEventPump([] { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); });
    application.SetTerminateHandler([] { QCoreApplication::quit(); });

    SetMessagePostedHook([this] {
        if (deliveryScheduled_) {
            return;
        }
        deliveryScheduled_ = true;
        QMetaObject::invokeMethod(&context_, [this] { DeliverPostedMessages(); }, Qt::QueuedConnection);
    });

    timers_ = std::make_unique<QtTimerDriver>(application.GetSystemClock());
    InstallQtModalRunner();
    InstallQtDialogs();
    InstallQtPopupHandler();
    previousClipboard_ = SetClipboard(CreateQtClipboard());
}

QtPlatform::~QtPlatform()
{
    Application& application = App();
    application.FreeComponents();

    SetClipboard(std::move(previousClipboard_));
    SetMessageBoxHandler({});
    SetInputQueryHandler({});
    FileDialog::SetHandler({});
    ColorDialog::SetHandler({});
    FontDialog::SetHandler({});
    FolderDialog::SetHandler({});
    Form::SetModalRunner({});
    timers_.reset();
    SetMessagePostedHook({});
    application.SetTerminateHandler({});
    application.SetEventPump({});
    application.SetWaitingEventPump({});
    application.SetBeepHandler({});
    Screen::Instance().SetCursorHandler({});
    if (overrideCursor_) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void QtPlatform::DeliverPostedMessages()
{
    deliveryScheduled_ = false;
    // A failing handler leaves the rest of the queue; go on once the error is shown.
    while (!GuardedCall([] { ProcessPostedMessages(); })) {
    }
}

} // namespace fw
