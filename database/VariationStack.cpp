#include "database/VariationStack.h"

VariationStackEntry VariationStack[VariationStackCapacity];
