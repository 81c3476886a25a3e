#include "lib/tablet/bps.h"

#include "lib/tablet/CloseRequest.h"
#include "lib/tablet/EventQueue.h"

extern "C" {

int bps_initialize(void) {
    tablet::closeOnQuitSignals();
    return BPS_SUCCESS;
}

int bps_get_event(bps_event_t** event, int) { return tablet::EventQueue::instance().get(event); }

int bps_event_get_domain(bps_event_t* event) { return event ? event->domain : -1; }

unsigned int bps_event_get_code(bps_event_t* event) { return event ? event->code : 0; }

}  // extern "C"
