// SPDX-License-Identifier: MIT
// An engine file that wrongly reaches up into the play layer.
#include "play/turn_driver.h"
