// Keeps the bitmap library non-empty until the reader lands.
#include "bitmap/picture_model.h"
