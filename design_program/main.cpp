#include "shell/ProgramMain.h"

int main(int argc, char* argv[])
{
    return cindrel::shell::runCindrel(argc, argv);
}
