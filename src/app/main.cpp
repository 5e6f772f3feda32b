// The program: the libraries, the main window and its companions, the event loop.

#include "shell/program_start.h"

int main(int argc, char** argv)
{
    return RunTavelin(argc, argv);
}
