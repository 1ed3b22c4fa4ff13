// The one record of the latest load's failure.
#include "assets/load_failure.h"

LoadFailure loadFailure;
