// The least a window of the game can do: the game's own window and EGL / GLES 2 context
// through the tablet layer, one cleared frame posted, then events drained until the window is
// closed (which ends the process). The start-up benchmark launches it beside the game.
#include <GLES2/gl2.h>

#include "lib/tablet/bps.h"
#include "platform/playbook/QnxWindow.h"

int main() {
    qnxContextInit(&qnxContext);
    if (!qnxCreateWindow(&qnxContext, "Bare", 1024, 600, 3)) {
        return 1;
    }
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    qnxSwap(&qnxContext);
    for (;;) {
        bps_event_t* event = nullptr;
        do {
            if (bps_get_event(&event, 0) != BPS_SUCCESS) {
                return 1;
            }
        } while (event != nullptr);
    }
}
