#include "portmidi_session.h"

#include <portmidi.h>

namespace notelink {
namespace {

bool initialised = false;
uint64_t generation = 1;

// Closes at process exit (or unload) whatever devices are still open; the
// streams that held them are stale from then on and are not touched again.
struct TerminateAtUnload {
    ~TerminateAtUnload() {
        if (!initialised) return;
        Pm_Terminate();
        ++generation;
    }
} terminateAtUnload;

}  // namespace

void initialiseOnce() {
    if (initialised) return;
    if (Pm_Initialize() == pmNoError) initialised = true;
}

int64_t initialize() {
    if (initialised) return pmNoError;
    const PmError result = Pm_Initialize();
    if (result == pmNoError) initialised = true;
    return result;
}

int64_t reinitialize() {
    Pm_Terminate();
    ++generation;
    const PmError result = Pm_Initialize();
    if (result == pmNoError) initialised = true;
    return result;
}

uint64_t deviceListGeneration() { return generation; }

}  // namespace notelink
