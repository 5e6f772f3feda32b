#include "framework/gui/qt_modal.h"

#include <QEventLoop>

#include "framework/gui/form.h"

namespace fw {

namespace {

// Removes the wake-up on every way out, so the form never calls a loop that is gone.
class WakeUpBinding {
public:
    WakeUpBinding(Form& form, QEventLoop& loop) : form_(&form)
    {
        form.SetModalWakeUp([&loop] { loop.quit(); });
    }
    ~WakeUpBinding()
    {
        if (form_) {
            form_->SetModalWakeUp({});
        }
    }
    WakeUpBinding(const WakeUpBinding&) = delete;
    WakeUpBinding& operator=(const WakeUpBinding&) = delete;

private:
    WeakRef<Form> form_;
};

} // namespace

void RunQtModalLoop(Form& form)
{
    WeakRef<Form> target(&form);
    QEventLoop loop;
    // Setting a ModalResult happens inside some event's handler; quitting lets that handler
    // finish first, and the close query then runs outside any event.
    const WakeUpBinding binding(form, loop);
    while (target && !target->ModalLoopDone()) {
        loop.exec();
    }
}

void InstallQtModalRunner()
{
    Form::SetModalRunner(RunQtModalLoop);
}

} // namespace fw
