#pragma once

#include <Rocket/Controls/Controls.h>
