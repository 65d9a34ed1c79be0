#include "imaging/ImageIO.h"
