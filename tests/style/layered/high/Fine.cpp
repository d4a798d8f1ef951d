#include "high/High.h"
#include "low/Low.h"
#include "mid/Mid.h"
