// The program: the window system's application, the main window, the event loop.

#include <string>
#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/qt_run.h"
#include "start_window.h"

int main(int argc, char** argv)
{
    return fw::RunQtApplication(argc, argv, []() -> fw::Form& {
        fw::Application& application = fw::App();
        application.SetTitle("Tavelin");
        std::vector<std::string> files;
        for (int i = 1; i <= application.ParamCount(); ++i) {
            files.push_back(application.ParamStr(i));
        }
        return *new StartWindow(&application, std::move(files));
    });
}
