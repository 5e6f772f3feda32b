#pragma once

#include <functional>

namespace fw {

class Form;

// The program's whole life on Qt, for main to call: makes the QApplication, the Qt paint
// backend, the Qt seams (QtPlatform: dialogs, clipboard, timers, modal loop, posted
// messages), the input router and the peer keeper; asks for the main form, shows it and
// runs Qt's event loop until the program terminates (closing the main form does that).
// Then every form is freed while Qt is still there. Answers the exit code: Qt's, or 1 when
// the main form could not be made and shown (the error went to the exception hook).
//
// createMainForm makes the form, built and FinishLoading()-ed; a form without an owner is
// handed to the application, which frees it at the end.
int RunQtApplication(int argc, char** argv, const std::function<Form&()>& createMainForm);

} // namespace fw
