#pragma once

// Creates every service of the game in its order; a service already present is kept.
void registerServices();
// Deletes the services in teardown order (the Jobber, whose threads are never stopped, and the
// UI service, shut down before, stay). Services already gone are skipped.
void deregisterServices();
