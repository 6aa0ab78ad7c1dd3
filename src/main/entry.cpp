#include "main/run_sequence.h"
#include "platform/platform.h"

// The process entry point: no C runtime runs before or after it.
extern "C" [[noreturn]] void LayerbarEntry() {
    RunSequence();
    platform::ExitProcess(0);
}
