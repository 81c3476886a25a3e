#include "game/app/AppConfig.h"

const bool USE_PAK_FILE = true;
uint32_t SCREEN_WIDTH = 0;
uint32_t SCREEN_HEIGHT = 0;
bool WINDOWED = false;
orvo::ZqString GAME_NAME;
orvo::ZqString pakName;

double referenceTime = 0.0;
float frameCount = 0.0f;
double SINGLE_FRAME_DURATION = static_cast<double>(1.0f / 60.0f);
int32_t SLEEP_RESOLUTION = 0;
double sleepResolutionTimer = 0.0;
