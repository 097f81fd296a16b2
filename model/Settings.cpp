#include "model/Settings.h"

int16_t PartsBase = 0;
