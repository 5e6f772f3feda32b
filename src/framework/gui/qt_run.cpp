#include "framework/gui/qt_run.h"

#include <QApplication>
#include <QStyleHints>

#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/input.h"
#include "framework/gui/qt_application.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"

namespace fw {

int RunQtApplication(int argc, char** argv, const std::function<Form&()>& createMainForm)
{
    // Qt keeps a reference to the count for the application's life: this frame's.
    QApplication qtApplication(argc, argv);
    // The program ends when the main form closes (Application::Terminate), not when Qt
    // sees no window left: forms hide between their uses.
    QApplication::setQuitOnLastWindowClosed(false);
    // The router tells double clicks apart by the application's time: the desktop's.
    App().SetDoubleClickTime(QGuiApplication::styleHints()->mouseDoubleClickInterval());

    QtPaintBackend backend;
    SetDefaultPaintBackend(&backend);
    int exitCode = 1;
    {
        QtPlatform platform;
        InputRouter router;
        QtPeerKeeper keeper(router);
        GuardedCall([&] {
            Form& form = createMainForm();
            if (form.Owner() == nullptr) {
                App().InsertComponent(&form);
            }
            App().SetMainForm(&form);
            form.Show();
        });
        const Form* mainForm = App().MainForm();
        if (mainForm != nullptr && mainForm->Visible() && !App().Terminated()) {
            SyncQtPeers();
            exitCode = QApplication::exec();
        }
        // The forms go while the router, the backend and Qt are still there; widgets
        // whose deletion waited for the end of an event go with them.
        App().FreeComponents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    SetDefaultPaintBackend(nullptr);
    return exitCode;
}

} // namespace fw
