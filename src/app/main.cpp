// The program: the libraries, the main window and its companions, the pattern editors, the
// event loop.

#include "editors/editors_registration.h"
#include "shell/program_start.h"

int main(int argc, char** argv)
{
    return RunTavelin(argc, argv, RegisterEditors);
}
