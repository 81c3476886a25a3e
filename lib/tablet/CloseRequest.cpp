#include "lib/tablet/CloseRequest.h"

#include <signal.h>

#include <cstdlib>
#include <initializer_list>

namespace tablet {
namespace {

volatile sig_atomic_t closeRequested = 0;

// Only what is safe in a signal handler: one flag.
void noteCloseRequest(int) { closeRequested = 1; }

}  // namespace

void closeApplication() { std::exit(0); }

void closeOnQuitSignals() {
    struct sigaction action {};
    action.sa_handler = noteCloseRequest;
    sigemptyset(&action.sa_mask);
    // Interrupted calls go on; the handler is the default again once it ran.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

void closeIfRequested() {
    if (closeRequested) closeApplication();
}

}  // namespace tablet
