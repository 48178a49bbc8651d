#include "platform/SystemScale.h"

// Builds without a windowed platform that reports a scale draw at 1.
double systemScaleFactor()
{
    return 1.0;
}

double windowScaleFactor(void*)
{
    return 1.0;
}
