#pragma once

#include "core/containers/Array.h"
#include "input/Controller.h"
#include "lib/tablet/bps.h"

namespace orvo {

// What the input service asks of a platform: how many controllers of each type it has, and how
// one platform event turns into controller values. Every count is 0 unless a platform says
// otherwise.
class PlatformControlSetup {
public:
    virtual ~PlatformControlSetup();

    virtual unsigned int getMaxKeyboardControllers() const;
    virtual unsigned int getMaxMouseControllers() const;
    virtual unsigned int getMaxMultiPointerControllers() const;
    virtual unsigned int getMaxAccelerometerControllers() const;
    virtual unsigned int getMaxDualShock3Controllers() const;
    virtual unsigned int getMaxX360Controllers() const;
    virtual unsigned int getMaxRevolutionControllers() const;
    virtual unsigned int getMaxZeemoteControllers() const;
    virtual unsigned int getMaxXperiaPlayControllers() const;

    // Applies one platform event to the controllers of the given type.
    virtual void updateControllers(bps_event_t* event, Controller::Type type,
                                   Array<Controller>* controllers) = 0;
};

}  // namespace orvo
