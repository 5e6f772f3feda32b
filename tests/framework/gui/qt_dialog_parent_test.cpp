#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "framework/gui/qt_dialogs.h"
#include "framework/gui/qt_peer.h"

using namespace fw;

namespace {

Form& ShownForm(Form& form, int left, int top)
{
    form.SetBounds(left, top, 420, 300);
    form.FinishLoading();
    form.Show();
    return form;
}

// Shows a message box through the program's seam and answers where it stood, closing it as
// soon as it is up.
QPoint CentreOfNextMessageBox()
{
    QPoint centre;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        centre = box->frameGeometry().center();
        box->button(QMessageBox::Ok)->click();
    });
    MessageBoxRequest request;
    request.Text = "The band is torn.";
    request.Caption = "Band";
    request.Buttons = MsgDlgButtons{MsgDlgBtn::OK};
    request.CancelButton = MsgDlgBtn::OK;
    QtMessageBox(request);
    return centre;
}

} // namespace

TEST(QtDialogParent, TheFormActivatedLastOwnsTheDialogsWhateverTheSystemCallsActive)
{
    Form first;
    Form second;
    ShownForm(first, 40, 40);
    ShownForm(second, 600, 300);
    SyncQtPeers();
    EXPECT_EQ(QtDialogParent(), QtWidgetOf(second)->window());
    // Once the form is hidden, the one shown before it takes over.
    second.Hide();
    SyncQtPeers();
    EXPECT_EQ(QtDialogParent(), QtWidgetOf(first)->window());
}

TEST(QtDialogParent, EveryMessageBoxInARowIsCentredOnItsWindow)
{
    Form form;
    ShownForm(form, 500, 260);
    SyncQtPeers();
    const QPoint formCentre = QtWidgetOf(form)->window()->frameGeometry().center();
    // The first box leaves no window active behind it when no window manager hands the
    // activation back; the later ones must still find their window.
    for (int i = 0; i < 3; ++i) {
        const QPoint centre = CentreOfNextMessageBox();
        EXPECT_LE((centre - formCentre).manhattanLength(), 4) << "box " << i << " at " << centre.x() << ","
                                                              << centre.y();
    }
}
