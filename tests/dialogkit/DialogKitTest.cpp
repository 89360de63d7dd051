#include "support/Harness.h"
