#include "Console.h"

#include <unistd.h>

bool standardErrorIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

void makeStandardOutputBinary()
{
}
