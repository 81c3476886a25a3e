#include "input/PlatformControlSetup.h"

namespace orvo {

PlatformControlSetup::~PlatformControlSetup() {}

unsigned int PlatformControlSetup::getMaxKeyboardControllers() const { return 0; }
unsigned int PlatformControlSetup::getMaxMouseControllers() const { return 0; }
unsigned int PlatformControlSetup::getMaxMultiPointerControllers() const { return 0; }
unsigned int PlatformControlSetup::getMaxAccelerometerControllers() const { return 0; }
unsigned int PlatformControlSetup::getMaxDualShock3Controllers() const { return 0; }
unsigned int PlatformControlSetup::getMaxX360Controllers() const { return 0; }
unsigned int PlatformControlSetup::getMaxRevolutionControllers() const { return 0; }
unsigned int PlatformControlSetup::getMaxZeemoteControllers() const { return 0; }
unsigned int PlatformControlSetup::getMaxXperiaPlayControllers() const { return 0; }

}  // namespace orvo
