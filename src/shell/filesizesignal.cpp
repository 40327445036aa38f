#include "shell/filesizesignal.h"

#include <csignal>

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }
